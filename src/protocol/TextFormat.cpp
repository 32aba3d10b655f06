#include "TextFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <span>

namespace tarvel {

namespace {

std::int32_t AsInt(const FormatArg& arg) {
    if (const auto* i = std::get_if<std::int32_t>(&arg)) {
        return *i;
    }
    if (const auto* c = std::get_if<char>(&arg)) {
        return static_cast<unsigned char>(*c);
    }
    // Only a mismatched form gets here; keep the conversion defined for any value.
    const float f = std::get<float>(arg);
    return f > -2147483648.0f && f < 2147483648.0f ? static_cast<std::int32_t>(f) : 0;
}

double AsReal(const FormatArg& arg) {
    if (const auto* f = std::get_if<float>(&arg)) {
        return static_cast<double>(*f);
    }
    return static_cast<double>(AsInt(arg));
}

char AsChar(const FormatArg& arg) {
    if (const auto* c = std::get_if<char>(&arg)) {
        return *c;
    }
    return static_cast<char>(AsInt(arg));
}

void AppendPadded(std::string& out, std::string_view field, std::size_t width) {
    if (field.size() < width) {
        out.append(width - field.size(), ' ');
    }
    out.append(field);
}

// printf writes a negative zero, or a negative value that rounds to zero, as "-0.0"; the
// units are sent zero as zero.
void DropSignOfZero(std::span<char> field, char*& end) {
    if (field.empty() || field[0] != '-') {
        return;
    }
    for (char c : field.subspan(1)) {
        if (c != '0' && c != '.') {
            return;
        }
    }
    std::copy(field.begin() + 1, field.end(), field.begin());
    --end;
}

// Reads a run of decimal digits at form[pos]; -1 when there is none.
int ReadNumber(std::string_view form, std::size_t& pos) {
    int value = -1;
    while (pos < form.size() && form[pos] >= '0' && form[pos] <= '9') {
        value = (value < 0 ? 0 : value * 10) + (form[pos] - '0');
        ++pos;
    }
    return value;
}

} // namespace

std::string FormatText(std::string_view form, std::span<const FormatArg> args) {
    std::string out;
    out.reserve(form.size() + 16);
    std::size_t next = 0;
    std::size_t pos = 0;
    while (pos < form.size()) {
        const char ch = form[pos++];
        if (ch != '%' || pos >= form.size()) {
            out.push_back(ch);
            continue;
        }
        const std::size_t start = pos - 1;
        const int width = ReadNumber(form, pos);
        int precision = -1;
        if (pos < form.size() && form[pos] == '.') {
            ++pos;
            precision = ReadNumber(form, pos);
            if (precision < 0) {
                precision = 0;
            }
        }
        if (pos >= form.size()) {
            out.append(form.substr(start));
            break;
        }
        const char conversion = form[pos++];
        if (conversion == '%') {
            out.push_back('%');
            continue;
        }
        if (conversion != 'd' && conversion != 'c' && conversion != 'f') {
            // Not a placeholder of the forms: keep it as written.
            out.append(form.substr(start, pos - start));
            continue;
        }
        if (next >= args.size()) {
            continue;
        }
        const FormatArg& arg = args[next++];
        const std::size_t fieldWidth = width < 0 ? 0 : static_cast<std::size_t>(width);
        std::array<char, 400> buffer{};
        std::to_chars_result result{buffer.data(), std::errc{}};
        switch (conversion) {
        case 'd':
            result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), AsInt(arg));
            break;
        case 'c':
            buffer[0] = AsChar(arg);
            result.ptr = buffer.data() + 1;
            break;
        default:
            result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), AsReal(arg),
                                   std::chars_format::fixed, precision < 0 ? 6 : precision);
            if (result.ec == std::errc{}) {
                DropSignOfZero(std::span(buffer.data(), result.ptr), result.ptr);
            }
            break;
        }
        if (result.ec != std::errc{}) {
            continue;
        }
        AppendPadded(
            out,
            std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())),
            fieldWidth);
    }
    return out;
}

} // namespace tarvel
