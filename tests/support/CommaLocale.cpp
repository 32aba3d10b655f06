#include "CommaLocale.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace tarvel::test {

namespace {

bool UsesComma(const char* name) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    bool comma = false;
    if (std::setlocale(LC_NUMERIC, name) != nullptr)
        comma = std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    std::setlocale(LC_NUMERIC, saved.c_str());
    return comma;
}

std::string FindOrMake() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"})
        if (UsesComma(name))
            return name;

    // The locales package ships the sources; generating needs no root and no system change.
    const auto folder = std::filesystem::temp_directory_path() / "tarvel-test-locales";
    std::filesystem::create_directories(folder);
    const auto target = folder / "de_DE.UTF-8";
    if (!std::filesystem::exists(target)) {
        const std::string command = "localedef -i de_DE -f UTF-8 '" + target.string() +
                                    "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            return {};
    }
    setenv("LOCPATH", folder.c_str(), 1);
    return UsesComma("de_DE.UTF-8") ? "de_DE.UTF-8" : std::string{};
}

} // namespace

std::string CommaLocale() {
    static const std::string name = FindOrMake();
    return name;
}

ScopedCommaLocale::ScopedCommaLocale() : name_(CommaLocale()) {
    if (!name_.empty())
        std::setlocale(LC_ALL, name_.c_str());
}

ScopedCommaLocale::~ScopedCommaLocale() {
    std::setlocale(LC_ALL, "C");
}

} // namespace tarvel::test
