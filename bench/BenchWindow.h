#pragma once

namespace tarvel {
class ScriptedMessageBoxes;
class TTarvelForm;
} // namespace tarvel

// Shows the window without its start-up search, connects through the controller on COM 1 and
// reads every unit into the pages; false, with the reason on the error stream, when any of it
// fails. The boxes answer Yes afterwards.
bool ShowConnectedAndRead(tarvel::TTarvelForm& form, tarvel::ScriptedMessageBoxes& boxes);
