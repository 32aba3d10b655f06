#include "CommaLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <random>
#include <string_view>

namespace tarvel::test {

namespace {

class CommaNumpunct : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

bool WritesComma() {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 1.5);
    return std::string_view(text) == "1,5";
}

bool TrySet(const char* name) {
    return std::setlocale(LC_ALL, name) != nullptr && WritesComma();
}

// Compiles de_DE.UTF-8 once per machine into a shared cache; parallel test processes each
// build into their own folder and the first rename wins.
bool CompileGermanLocale() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path cache = fs::temp_directory_path(ec) / "tarvel-test-locales";
    if (ec)
        return false;
    if (!fs::exists(cache / "de_DE.UTF-8" / "LC_NUMERIC", ec)) {
        std::random_device random;
        const fs::path work = cache.string() + ".tmp" + std::to_string(random());
        fs::create_directories(work, ec);
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + (work / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0)
            fs::rename(work, cache, ec);
        fs::remove_all(work, ec);
    }
    if (!fs::exists(cache / "de_DE.UTF-8" / "LC_NUMERIC", ec))
        return false;
    ::setenv("LOCPATH", cache.c_str(), 1);
    return true;
}

} // namespace

CommaLocale::CommaLocale() {
    savedC_ = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8",
                             "nl_NL.UTF-8", "it_IT.UTF-8", "es_ES.UTF-8"}) {
        if (TrySet(name)) {
            active_ = true;
            name_ = name;
            break;
        }
    }
    if (!active_ && CompileGermanLocale() && TrySet("de_DE.UTF-8")) {
        active_ = true;
        name_ = "de_DE.UTF-8 (compiled for the test)";
    }
    if (!active_)
        std::setlocale(LC_ALL, savedC_.c_str());
    std::locale::global(std::locale(std::locale::classic(), new CommaNumpunct));
}

CommaLocale::~CommaLocale() {
    std::setlocale(LC_ALL, savedC_.c_str());
    std::locale::global(std::locale::classic());
}

} // namespace tarvel::test
