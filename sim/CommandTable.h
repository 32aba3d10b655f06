#pragma once

#include "FormatMatch.h"

#include <string_view>

namespace tarvel {

class SimUnit;

enum class CommandResult {
    Invalid,   // unknown keyword, arguments not in the command's format or out of range
    Done,      // carried out at once
    Automatic, // an automatic operation started; the unit is busy for a while
};

// One setting command the units understand. Arguments is the printf-style format of what
// follows the keyword; the controller form is "*" address keyword arguments "!", the direct
// form keyword arguments "\r".
struct CommandSpec {
    std::string_view Keyword;
    std::string_view Arguments;
    CommandResult (*Apply)(SimUnit& unit, const CommandArguments& args);
};

// The command's row by the line's keyword (the text before the first blank), or null.
const CommandSpec* FindCommand(std::string_view keywordAndArguments);

// Looks the command up, reads its arguments and carries it out on the unit.
CommandResult ExecuteCommand(SimUnit& unit, std::string_view keywordAndArguments);

} // namespace tarvel
