#include "NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tarvel {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Drops one leading '+': from_chars takes a '-' but never a '+'. "+-1" stays refused.
std::string_view DropPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

void StripTrailingZeros(std::string& digits) {
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

} // namespace

std::string FormatGeneral(double value, int digits) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    digits = std::clamp(digits, 1, 17);

    // Correctly rounded significant digits and decimal exponent, free of the locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value),
                                      std::chars_format::scientific, digits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = text.find('e');
    std::string mantissa;
    for (char c : text.substr(0, e))
        if (c != '.')
            mantissa.push_back(c);
    int exponent = 0;
    const auto exponentText = text.substr(e + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);
    StripTrailingZeros(mantissa);

    std::string out = value < 0 ? "-" : "";
    if (exponent >= -5 && exponent < digits) {
        if (exponent >= 0) {
            const auto whole = static_cast<std::size_t>(exponent) + 1;
            if (mantissa.size() <= whole) {
                out += mantissa + std::string(whole - mantissa.size(), '0');
            } else {
                out += mantissa.substr(0, whole) + "." + mantissa.substr(whole);
            }
        } else {
            out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
        }
        return out;
    }
    out += mantissa.substr(0, 1);
    if (mantissa.size() > 1)
        out += "." + mantissa.substr(1);
    out += exponent < 0 ? "E-" : "E+";
    out += std::to_string(std::abs(exponent));
    return out;
}

std::string FormatFull(double value) {
    return FormatGeneral(value, 15);
}

std::string FormatInt(double value) {
    if (!std::isfinite(value))
        return FormatGeneral(value, 15);
    const double whole = std::trunc(value);
    if (whole == 0)
        return "0"; // never "-0"
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
    return std::string(buffer, result.ptr);
}

std::string FormatSingle(float value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string out(buffer, result.ptr);
    std::replace(out.begin(), out.end(), 'e', 'E');
    return out;
}

int TruncateToInt(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::trunc(value), low, high));
}

std::optional<double> ParseDouble(std::string_view text) {
    text = DropPlus(TrimBlanks(text));
    // from_chars also takes "inf" and "nan"; a field holds plain decimal numbers only.
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    });
    if (text.empty() || !plain)
        return std::nullopt;
    double value = 0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseInt(std::string_view text) {
    text = DropPlus(TrimBlanks(text));
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace tarvel
