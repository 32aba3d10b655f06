#pragma once

#include <string>

namespace tarvel::test {

// For its lifetime, switches the C locale (LC_ALL) to one whose decimal separator is a comma
// and the C++ global locale to one whose numpunct writes a comma, then puts both back. The C
// side needs a real locale: an installed German or French one, else one compiled with
// localedef into a cache folder under the temporary directory and found through LOCPATH.
// Active() tells whether the C side really writes "1,5" now; the C++ side always does.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return active_; }
    const std::string& Name() const { return name_; }

private:
    std::string savedC_;
    bool active_ = false;
    std::string name_;
};

} // namespace tarvel::test
