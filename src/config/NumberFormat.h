#pragma once

#include <optional>
#include <string>
#include <string_view>

// Number texts as the window shows and reads them. Every function here uses a point as the
// decimal separator and ignores the process locale, so a German desktop still reads and writes
// "38.333".
namespace tarvel {

// The shortest text with at most `digits` significant digits (1..17): plain notation when the
// rounded value has at most `digits` digits left of the point and is 0 or at least 0.00001 in
// magnitude, otherwise exponent notation ("1.23E+5", "1E-6"). Trailing zeros and a trailing
// point are dropped. 3.8333 gives "3.83" (3 digits), 30 gives "30", 12.3456789 gives "12.346"
// (5 digits). Infinities and NaN give "INF", "-INF" and "NAN".
std::string FormatGeneral(double value, int digits);

// General notation with 15 significant digits: 2944.0 gives "2944".
std::string FormatFull(double value);

// The value truncated toward zero, in decimal: 38.9 gives "38", -2.5 gives "-2".
std::string FormatInt(double value);

// The shortest text that reads back as the same single-precision value: 2.2f gives "2.2",
// not "2.20000004768372".
std::string FormatSingle(float value);

// A double truncated toward zero and clamped to the int range; NaN gives 0. Every
// double-to-int conversion of the planning arithmetic goes through it, so no input can reach
// an undefined conversion.
int TruncateToInt(double value);

// Strict conversions of a field's text. Accepted: optional blanks (spaces, tabs) around the
// number, one optional leading '+' or '-', then digits with an optional point and an optional
// exponent ("2.5", "-.5", "5.", "+1e3" for a double; "64", "-3", "+7" for an int). Refused
// (nullopt): an empty or blank text, a lone sign, letters or any other character left over
// ("2,5", "12abc", "0x10"), "nan", "inf", and a value outside the type's range ("1e999",
// "2147483648").
std::optional<double> ParseDouble(std::string_view text);
std::optional<int> ParseInt(std::string_view text);

} // namespace tarvel
