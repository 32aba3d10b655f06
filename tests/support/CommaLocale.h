#pragma once

#include <string>

namespace tarvel::test {

// Name of a locale whose decimal separator is a comma, made usable for setlocale(): an
// installed one if there is one, otherwise one generated once with localedef into a temporary
// folder that LOCPATH then points at. Empty when neither works.
std::string CommaLocale();

// Sets LC_ALL to the comma locale for the lifetime of the object and restores "C" afterwards.
class ScopedCommaLocale {
public:
    ScopedCommaLocale();
    ~ScopedCommaLocale();
    ScopedCommaLocale(const ScopedCommaLocale&) = delete;
    ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;
    bool Active() const { return !name_.empty(); }
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

} // namespace tarvel::test
