#include "FormatMatch.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace tarvel {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The longest run at text[pos..] that looks like a printed number: blanks (field padding),
// an optional sign, digits, and for numbers with decimals a point and more digits.
std::size_t NumberSpan(std::string_view text, std::size_t pos, bool withDecimals) {
    std::size_t end = pos;
    while (end < text.size() && text[end] == ' ')
        ++end;
    if (end < text.size() && text[end] == '-')
        ++end;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    if (withDecimals && end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && IsDigit(text[end]))
            ++end;
    }
    return end - pos;
}

} // namespace

bool MatchFormat(std::string_view format, std::string_view text, CommandArguments& out) {
    out.clear();
    std::size_t pos = 0;
    for (std::size_t f = 0; f < format.size(); ++f) {
        if (format[f] != '%') {
            if (pos >= text.size() || text[pos] != format[f])
                return false;
            ++pos;
            continue;
        }
        // A conversion: '%', optional width and precision, one letter.
        const std::size_t specStart = f;
        ++f;
        while (f < format.size() && (IsDigit(format[f]) || format[f] == '.'))
            ++f;
        if (f >= format.size())
            return false;
        const std::string spec(format.substr(specStart, f - specStart + 1));
        const char kind = format[f];
        CommandArgument arg;
        arg.Kind = kind;
        if (kind == 'c') {
            if (pos >= text.size())
                return false;
            arg.Char = text[pos++];
            out.push_back(arg);
            continue;
        }
        if (kind != 'd' && kind != 'f')
            return false;
        const std::size_t length = NumberSpan(text, pos, kind == 'f');
        const std::string field(text.substr(pos, length));
        char printed[64];
        if (kind == 'd') {
            char* end = nullptr;
            const long long value = std::strtoll(field.c_str(), &end, 10);
            if (end == field.c_str() || *end != '\0' ||
                value < std::numeric_limits<std::int32_t>::min() ||
                value > std::numeric_limits<std::int32_t>::max())
                return false;
            arg.Int = static_cast<std::int32_t>(value);
            std::snprintf(printed, sizeof printed, spec.c_str(), arg.Int);
        } else {
            char* end = nullptr;
            const double value = std::strtod(field.c_str(), &end);
            if (end == field.c_str() || *end != '\0' || !std::isfinite(value))
                return false;
            arg.Real = value;
            std::snprintf(printed, sizeof printed, spec.c_str(), arg.Real);
        }
        if (field != printed)
            return false;
        pos += length;
        out.push_back(arg);
    }
    return pos == text.size();
}

} // namespace tarvel
