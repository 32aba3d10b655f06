#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace tarvel {

// One value for a placeholder of a command form. Fractional values are held as singles, as the
// model holds them; they are written from the double value of the single.
using FormatArg = std::variant<std::int32_t, char, float>;

// Fills a command form with its arguments, always in the C locale (never through the C
// library's printf family, which follows LC_NUMERIC). Understands the subset the forms use:
// "%d", "%c", "%f" with an optional field width and precision ("%1d", "%4.1f"), and "%%".
// Fields are right-aligned with blanks; "%f" rounds as printf does. A placeholder without an
// argument writes nothing, surplus arguments are ignored.
std::string FormatText(std::string_view form, std::span<const FormatArg> args);

} // namespace tarvel
