#include "config/SendPlan.h"

#include "config/NumberFormat.h"
#include "protocol/CommandEncoding.h"
#include "protocol/StatusQuery.h"

#include <algorithm>
#include <cmath>

namespace tarvel {

namespace {

int OnOff(int value) {
    return value != 0 ? 1 : 0;
}

// A real as a field shows it with the given significant digits and reads it back: the send
// takes what the user sees.
std::optional<double> AsShown(float value, int digits, std::string* text = nullptr) {
    const std::string shown = FormatGeneral(value, digits);
    if (text != nullptr) {
        *text = shown;
    }
    return ParseDouble(shown);
}

bool GammaAccepted(double gamma) {
    return gamma >= FeatherGammaLower && gamma <= FeatherGammaUpper;
}

class PlanBuilder {
public:
    PlanBuilder(const SettingsModel& model, const SendPlanInput& input, SendPlan& plan)
        : model_(model), input_(input), plan_(plan),
          units_(input.UnitCount > 1 && input.Mode == ConnectionMode::Controller ? 2 : 1) {
        plan_.UnitCount = units_;
        plan_.OutputsBefore = model.Channels.Outputs;
    }

    void Build() {
        const int projectors = input_.Projectors;
        const bool done = Layout() && Inputs(1, std::min(projectors, ChannelsPerUnit)) &&
                          (units_ < 2 || Inputs(ChannelsPerUnit + 1, projectors)) && Outputs(1) &&
                          UnitModes() && (units_ < 2 || Outputs(2)) &&
                          SeamGains(1, std::min(projectors, ChannelsPerUnit)) &&
                          (units_ < 2 || SeamGains(ChannelsPerUnit + 1, projectors));
        static_cast<void>(done);
    }

private:
    void Add(int unit, const Command& command) {
        SendStep step;
        step.Unit = unit;
        step.Cmd = command;
        plan_.Steps.push_back(step);
    }

    void Mark(PageEvent::Kind what, int screen, std::size_t skipped = 0) {
        plan_.PageEvents.push_back({what, screen, plan_.Steps.size(), skipped});
    }

    bool Stop(std::string setting) {
        plan_.Invalid = std::move(setting);
        return false;
    }

    const OutputSettings& Out(int unit, int channel) const {
        return model_.Channels.Output(unit, channel);
    }

    bool Locked(int screen) const {
        const UnitChannel uc = ScreenToUnitChannel(screen);
        return IsChannelLocked(model_.Channels, uc.Unit, uc.Channel);
    }

    bool Layout() {
        for (int unit = 1; unit <= units_; ++unit) {
            Add(unit, Command::Projectors(unit - 1, input_.Projectors));
        }
        for (int unit = 1; unit <= units_; ++unit) {
            Add(unit, Command::Display(input_.Alignment, input_.Overlap));
        }
        return true;
    }

    bool Inputs(int firstScreen, int lastScreen) {
        for (int screen = firstScreen; screen <= lastScreen; ++screen) {
            Mark(PageEvent::Kind::InputChannel, screen);
            if (!Locked(screen)) {
                continue;
            }
            const UnitChannel uc = ScreenToUnitChannel(screen);
            const InputSettings& in = model_.Channels.Input(uc);
            Add(uc.Unit, Command::HorizontalPosition(uc.Channel, in.HPosition));
            Add(uc.Unit, Command::VerticalPosition(uc.Channel, in.VPosition));
            Add(uc.Unit, Command::InputPhase(uc.Channel, in.Phase));
            for (std::size_t rule = 0; rule < InputColourRules.size(); ++rule) {
                Colour(screen, rule, in);
            }
        }
        return true;
    }

    void Colour(int screen, std::size_t rule, const InputSettings& in) {
        const InputColourRule& colour = InputColourRules[rule];
        std::string text;
        const std::optional<double> value = AsShown(in.*colour.Field, colour.Digits, &text);
        if (!value || *value < colour.Lower || *value > colour.Upper) {
            plan_.Skipped.push_back({screen, rule, text, !value.has_value()});
            Mark(PageEvent::Kind::RefusedColour, screen, plan_.Skipped.size() - 1);
            return;
        }
        const UnitChannel uc = ScreenToUnitChannel(screen);
        const auto level = static_cast<float>(*value);
        Add(uc.Unit, colour.Contrast ? Command::InputContrast(uc.Channel, colour.Colour, level)
                                     : Command::InputBrightness(uc.Channel, colour.Colour, level));
    }

    bool Outputs(int unit) {
        for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
            const OutputSettings& out = Out(unit, channel);
            if (out.TestPattern >= TestPatternCount) {
                return Stop("test pattern of screen " +
                            std::to_string(UnitChannelToScreen(unit, channel)));
            }
            Add(unit, Command::TestPattern(channel, out.TestPattern, OnOff(out.OutputRaster),
                                           OnOff(out.TestGrid)));
        }
        for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
            Add(unit, Command::BlackLevel(channel, Out(unit, channel).BlackLevel));
        }
        // The wall's outer edges have neither halo nor feathering: screen 1 has no left edge,
        // screen 8 no right one. Halo left edges first, feathering right edges first.
        const struct {
            bool Halo;
            EdgeSide Side;
        } edges[] = {
            {true, EdgeSide::Left},
            {true, EdgeSide::Right},
            {false, EdgeSide::Right},
            {false, EdgeSide::Left},
        };
        for (const auto& edge : edges) {
            for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
                const int screen = UnitChannelToScreen(unit, channel);
                const bool left = edge.Side == EdgeSide::Left;
                if ((left && screen == 1) || (!left && screen == ScreenCount)) {
                    continue;
                }
                const OutputSettings& out = Out(unit, channel);
                if (edge.Halo) {
                    Add(unit, Command::Halo(channel, edge.Side,
                                            left ? out.LeftHaloWidth : out.RightHaloWidth,
                                            left ? out.LeftHaloOffset : out.RightHaloOffset));
                    continue;
                }
                const float gamma = left ? out.LeftGamma : out.RightGamma;
                // A gamma the unit refuses would be resent for ever.
                if (!GammaAccepted(gamma)) {
                    return Stop((left ? "left" : "right") + std::string(" gamma of screen ") +
                                std::to_string(screen));
                }
                Add(unit,
                    Command::EdgeFeather(channel, edge.Side,
                                         OnOff(left ? out.LeftFeatherOn : out.RightFeatherOn),
                                         gamma, left ? out.LeftGammaWidth : out.RightGammaWidth,
                                         left ? out.LeftGammaOffset : out.RightGammaOffset));
            }
        }
        return true;
    }

    bool UnitModes() {
        const OutputSettings& unit1 = Out(1, 1);
        // The Display Setup page shows unit 1's settings and sends them to every unit.
        for (int unit = 1; unit <= units_; ++unit) {
            Add(unit, Command::DataDoubling(OnOff(unit1.DataDoubling)));
        }
        const std::optional<double> gamma = AsShown(unit1.BasicGamma, BasicGammaDigits);
        if (!gamma || !GammaAccepted(*gamma)) {
            return Stop("basic gamma");
        }
        for (int unit = 1; unit <= units_; ++unit) {
            Add(unit,
                Command::BasicFeathering(OnOff(unit1.BasicFeatherOn), static_cast<float>(*gamma)));
        }
        for (int unit = 1; unit <= units_; ++unit) {
            Add(unit, Command::ControlMode(OnOff(unit1.ControlMode)));
            for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
                SendStep query;
                query.Kind = SendStepKind::QueryOutput;
                query.Unit = unit;
                query.Channel = channel;
                plan_.Steps.push_back(query);
            }
        }
        SendStep restore;
        restore.Kind = SendStepKind::RestoreOutputs;
        plan_.Steps.push_back(restore);
        return true;
    }

    bool SeamGains(int firstScreen, int lastScreen) {
        for (int screen = firstScreen; screen <= lastScreen; ++screen) {
            Mark(PageEvent::Kind::SeamChannel, screen);
            if (!Locked(screen)) {
                continue;
            }
            const UnitChannel uc = ScreenToUnitChannel(screen);
            const auto& gains = model_.Channels.Output(uc).SeamGain;
            std::array<int, 8> values{};
            std::copy(gains.begin(), gains.end(), values.begin());
            for (int i = 0; i < ManualSeamRepeats; ++i) {
                Add(uc.Unit, Command::ManualSeam(uc.Channel, ManualSeamMode, values));
            }
        }
        return true;
    }

    const SettingsModel& model_;
    const SendPlanInput& input_;
    SendPlan& plan_;
    int units_;
};

} // namespace

void SendPlan::CutBefore(const std::function<bool(const SendStep&)>& predicate) {
    const auto first = std::find_if(Steps.begin(), Steps.end(), predicate);
    const auto cut = static_cast<std::size_t>(first - Steps.begin());
    Steps.erase(first, Steps.end());
    // A channel turned to at the cut itself was reached: the send stopped after it.
    std::erase_if(PageEvents, [cut](const PageEvent& event) { return event.StepIndex > cut; });
}

SendPlan BuildSendPlan(const SettingsModel& model, const SendPlanInput& input) {
    SendPlan plan;
    PlanBuilder(model, input, plan).Build();
    return plan;
}

void RestoreOutputs(const SendPlan& plan, ChannelSettings& channels) {
    for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
        const auto record = static_cast<std::size_t>(channel);
        channels.Output(1, channel).SeamGain = plan.OutputsBefore[0][record].SeamGain;
        if (plan.UnitCount < 2) {
            continue;
        }
        const OutputSettings& from = plan.OutputsBefore[1][record];
        OutputSettings& to = channels.Output(2, channel);
        to.TestPattern = from.TestPattern;
        to.OutputRaster = from.OutputRaster;
        to.TestGrid = from.TestGrid;
        to.BlackLevel = from.BlackLevel;
        to.LeftHaloWidth = from.LeftHaloWidth;
        to.LeftHaloOffset = from.LeftHaloOffset;
        to.RightHaloWidth = from.RightHaloWidth;
        to.RightHaloOffset = from.RightHaloOffset;
        to.LeftGamma = from.LeftGamma;
        to.LeftFeatherOn = from.LeftFeatherOn;
        to.RightGamma = from.RightGamma;
        to.RightFeatherOn = from.RightFeatherOn;
        to.LeftGammaWidth = from.LeftGammaWidth;
        to.LeftGammaOffset = from.LeftGammaOffset;
        to.RightGammaWidth = from.RightGammaWidth;
        to.RightGammaOffset = from.RightGammaOffset;
        to.SeamGain = from.SeamGain;
    }
}

std::vector<std::string_view> SettingsCarried(const SendStep& step) {
    if (step.Kind != SendStepKind::Command || !step.Cmd) {
        return {};
    }
    const Command& command = *step.Cmd;
    const bool left = command.Kind() == CommandKind::Halo || command.Kind() == CommandKind::EdgeFeather
                          ? command.CharArgument(1) == static_cast<char>(EdgeSide::Left)
                          : false;
    switch (command.Kind()) {
    case CommandKind::Projectors:
        return {"totalProjectors"};
    case CommandKind::Display:
        return {"imageAlignment", "displayOverlap"};
    case CommandKind::HorizontalPosition:
        return {"hPosition"};
    case CommandKind::VerticalPosition:
        return {"vPosition"};
    case CommandKind::InputPhase:
        return {"phase"};
    case CommandKind::InputContrast:
    case CommandKind::InputBrightness: {
        static constexpr std::string_view Keys[4][2] = {{"overallContrast", "overallBrightness"},
                                                        {"redContrast", "redBrightness"},
                                                        {"greenContrast", "greenBrightness"},
                                                        {"blueContrast", "blueBrightness"}};
        const char colour = command.CharArgument(1);
        const std::size_t row = colour == 'R' ? 1 : colour == 'G' ? 2 : colour == 'B' ? 3 : 0;
        return {Keys[row][command.Kind() == CommandKind::InputContrast ? 0 : 1]};
    }
    case CommandKind::TestPattern:
        return {"testPattern", "outputRaster", "testGrid"};
    case CommandKind::BlackLevel:
        return {"blackLevel"};
    case CommandKind::Halo:
        return left ? std::vector<std::string_view>{"leftHaloWidth", "leftHaloOffset"}
                    : std::vector<std::string_view>{"rightHaloWidth", "rightHaloOffset"};
    case CommandKind::EdgeFeather:
        return left ? std::vector<std::string_view>{"leftFeatherOn", "leftGamma",
                                                    "leftGammaWidth", "leftGammaOffset"}
                    : std::vector<std::string_view>{"rightFeatherOn", "rightGamma",
                                                    "rightGammaWidth", "rightGammaOffset"};
    case CommandKind::DataDoubling:
        return {"dataDoubling"};
    case CommandKind::BasicFeathering:
        return {"basicFeatherOn", "basicGamma"};
    case CommandKind::ControlMode:
        return {"controlMode"};
    case CommandKind::ManualSeam:
        return {"seamGain1", "seamGain2", "seamGain3", "seamGain4",
                "seamGain5", "seamGain6", "seamGain7", "seamGain8"};
    default:
        return {};
    }
}

SendPlan ChangedStepsOnly(const SendPlan& plan, const std::vector<SettingDifference>& differences) {
    const auto differs = [&](const SendStep& step) {
        const int screen =
            step.Cmd->Channel() == 0 ? 0 : UnitChannelToScreen(step.Unit, step.Cmd->Channel());
        for (const std::string_view key : SettingsCarried(step)) {
            for (const SettingDifference& difference : differences) {
                if (difference.Unit == step.Unit && difference.Screen == screen &&
                    difference.Row != nullptr && difference.Row->Key == key) {
                    return true;
                }
            }
        }
        return false;
    };
    SendPlan changed = plan;
    changed.Steps.clear();
    changed.PageEvents.clear();
    changed.Skipped.clear();
    std::array<bool, UnitCountMax + 1> readBack{};
    const SendStep* lastSeam = nullptr;
    for (const SendStep& step : plan.Steps) {
        switch (step.Kind) {
        case SendStepKind::Command:
            if (step.Cmd->Kind() == CommandKind::ManualSeam && lastSeam != nullptr &&
                lastSeam->Unit == step.Unit && *lastSeam->Cmd == *step.Cmd) {
                continue; // the same gains again, for the next gain field
            }
            if (step.Cmd->Kind() == CommandKind::ManualSeam) {
                lastSeam = &step;
            }
            if (differs(step)) {
                changed.Steps.push_back(step);
                if (step.Cmd->Kind() == CommandKind::ControlMode) {
                    readBack[static_cast<std::size_t>(step.Unit)] = true;
                }
            }
            break;
        case SendStepKind::QueryOutput:
            if (readBack[static_cast<std::size_t>(step.Unit)]) {
                changed.Steps.push_back(step);
            }
            break;
        case SendStepKind::RestoreOutputs:
            if (readBack[1] || readBack[2]) {
                changed.Steps.push_back(step);
            }
            break;
        }
    }
    return changed;
}

std::string StepText(const SendStep& step, ConnectionMode mode, int address) {
    switch (step.Kind) {
    case SendStepKind::Command:
        if (!step.Cmd) {
            return {};
        }
        return mode == ConnectionMode::Controller ? ControllerText(*step.Cmd, address)
                                                  : DirectText(*step.Cmd);
    case SendStepKind::QueryOutput:
        return QueryText(StatusQuery::OutputStatus, mode, address, step.Channel);
    case SendStepKind::RestoreOutputs:
        break;
    }
    return {};
}

} // namespace tarvel
