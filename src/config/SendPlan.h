#pragma once

#include "config/ConfigurationDiff.h"
#include "config/InputColours.h"
#include "model/ChannelSettings.h"
#include "protocol/Command.h"
#include "protocol/ConnectionMode.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvel {

// The values of the whole-configuration send that are not the units' records: the Planning
// page's number of projectors and image alignment, and the overlap width field.
struct SendPlanInput {
    int Projectors = 1;
    int Alignment = 0;
    int Overlap = 0;
    int UnitCount = 1; // the units in use; 2 when above 1
    ConnectionMode Mode = ConnectionMode::Controller;
};

enum class SendStepKind {
    Command,        // store the command's values in the model, then send it
    QueryOutput,    // read one channel's output status back into the model
    RestoreOutputs, // put the configuration's own values back after the read-backs
};

struct SendStep {
    SendStepKind Kind = SendStepKind::Command;
    int Unit = 1;
    std::optional<Command> Cmd; // Command steps
    int Channel = 0;            // QueryOutput steps: the unit channel
};

// A colour value the Source Setup page refuses: it is left out of the send and the page says
// why, as when the user leaves the field.
struct SkippedColour {
    int Screen = 1;
    std::size_t Rule = 0; // index in InputColourRules
    std::string Text;     // the value as the page shows it
    bool NotANumber = false;
};

// Where a send through the pages turns to a channel: the Source Setup page's channel before
// that channel's input settings (locked or not), a refused colour, the Seam Removal page's
// channel before its gains. Before step StepIndex runs, in the order of the list.
struct PageEvent {
    enum class Kind { InputChannel, RefusedColour, SeamChannel };
    Kind What = Kind::InputChannel;
    int Screen = 1;
    std::size_t StepIndex = 0;
    std::size_t Skipped = 0; // RefusedColour: index in Skipped
};

// The ordered steps of "Send Current Settings to Zelvar(s)", computed from the model alone:
//
//  1. projector count (PRJ) and image layout (DISP) to each unit in use;
//  2. input position, phase and colour of every locked channel up to the projector count;
//  3. unit 1's outputs: test pattern, black level, halo (left edges, then right), edge
//     feathering (right edges, then left) of channels 1-4;
//  4. data doubling, basic feathering and control mode to each unit in use; the control mode
//     makes the unit's four output channels be read back, after which the configuration's
//     unit-2 outputs and both units' seam gains are put back (they are sent below);
//  5. unit 2's outputs (channels 5-8);
//  6. the seam gains of every locked channel up to the projector count, eight times each.
//
// Values go out as the pages show them: colours with the page's significant digits, the basic
// gamma with three. A value the pages would refuse ends the plan before its step (Invalid);
// a colour the page refuses is only left out (Skipped).
struct SendPlan {
    std::vector<SendStep> Steps;
    std::vector<SkippedColour> Skipped;
    std::vector<PageEvent> PageEvents;
    // The plan stops early because this setting holds a value the pages refuse.
    std::optional<std::string> Invalid;
    // What RestoreOutputs puts back: the outputs as the plan found them.
    std::array<ChannelSettings::OutputBlock, UnitCountMax> OutputsBefore{};
    int UnitCount = 1;

    // Drops every step from the first one the predicate holds for (an invalid control), and
    // the page events beyond it.
    void CutBefore(const std::function<bool(const SendStep&)>& predicate);
};

SendPlan BuildSendPlan(const SettingsModel& model, const SendPlanInput& input);

// The RestoreOutputs step: unit 1's seam gains and, with two units, unit 2's channel outputs
// and seam gains as the plan found them.
void RestoreOutputs(const SendPlan& plan, ChannelSettings& channels);

// The keys of the catalogue's settings that the step's command carries, for its unit and
// screen (0 for a unit-wide command): empty for the read-backs and the restore.
std::vector<std::string_view> SettingsCarried(const SendStep& step);

// The steps of the plan for the settings that differ, and what they require: a command when a
// setting it carries differs on its unit and screen; the seam gains once per channel (the plan
// repeats them for each gain field of the page); the control mode with its read-back and the
// restore after it. Step order is kept; the page events are dropped.
SendPlan ChangedStepsOnly(const SendPlan& plan, const std::vector<SettingDifference>& differences);

// The step as it goes on the wire: the controller form with the unit's address, or the
// direct form; a query as the status query's text.
std::string StepText(const SendStep& step, ConnectionMode mode, int address);

inline constexpr int TestPatternCount = 11; // the patterns the lists offer, codes 0..10
inline constexpr double FeatherGammaLower = 1.0;
inline constexpr double FeatherGammaUpper = 5.0;
inline constexpr int BasicGammaDigits = 3;
inline constexpr int ManualSeamMode = -4;   // the mode the manual seam command always carries
inline constexpr int ManualSeamRepeats = 8; // one per seam gain field of the page

} // namespace tarvel
