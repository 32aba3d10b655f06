#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvel {

// One value read from a command line: 'd' integer, 'c' character, 'f' number.
struct CommandArgument {
    char Kind = 'd';
    std::int32_t Int = 0;
    char Char = 0;
    double Real = 0;
};

using CommandArguments = std::vector<CommandArgument>;

// Reads text by a printf-style format ("%d", "%1d", "%c", "%4.1f" and literal characters).
// A line is accepted only if printing the values read with the same format gives the very same
// text back, so " 2.2" matches "%4.1f" but "2.2", "2.20" or "007" for "%d" do not: the units
// take their commands exactly as the formats write them.
bool MatchFormat(std::string_view format, std::string_view text, CommandArguments& out);

} // namespace tarvel
