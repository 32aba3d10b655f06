#pragma once

#include "SimOptions.h"

#include <string>
#include <vector>

namespace tarvel {

enum class SimCommandLineResult { Run, Help, Error };

// Reads zelvar-sim's options (args without the program name). On Error, error says why.
SimCommandLineResult ParseSimCommandLine(const std::vector<std::string>& args, SimOptions& options,
                                         std::string& error);

// The --help text.
std::string SimUsageText();

} // namespace tarvel
