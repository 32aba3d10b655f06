#include "ui/ConfigurationSend.h"

#include "config/NumberFormat.h"
#include "device/CommandEncoders.h"
#include "device/DeviceLink.h"
#include "model/ChannelSettings.h"
#include "ui/TTarvelForm.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/PlanningPage.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <algorithm>
#include <array>

namespace tarvel {

namespace {

// The output fields that the output commands of one channel carry (test pattern, black level,
// halo and edge feathering).
void CopyChannelOutputs(const OutputSettings& from, OutputSettings& to) {
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
}

int FirstChannelOf(int unit) {
    return (unit - 1) * ChannelsPerUnit + 1;
}

} // namespace

ConfigurationSend::ConfigurationSend(TTarvelForm& form) : form_(&form) {}

bool ConfigurationSend::StillGoing() {
    if (form_.isNull() || form_->Link().Stopping()) {
        end_ = End::Gone;
        return false;
    }
    if (!form_->Connected()) {
        end_ = End::Stopped; // closed from the menu during a wait
        return false;
    }
    return true;
}

bool ConfigurationSend::Go(ControlSend result) {
    if (!StillGoing()) {
        return false;
    }
    switch (result) {
    case ControlSend::Sent:
        return true;
    case ControlSend::Invalid:
        end_ = End::Invalid;
        return false;
    case ControlSend::Stopped:
        end_ = End::Stopped;
        return false;
    }
    return true;
}

bool ConfigurationSend::Go(SendResult result) {
    return Go(ControlSendOf(result));
}

ConfigurationSend::End ConfigurationSend::Run() {
    if (!StillGoing()) {
        return end_;
    }
    TTarvelForm& form = *form_;
    const int projectors = form.Planning().ProjectorCountIndex() + 1;
    const int units = form.Model().System.UnitCount > 1 ? 2 : 1;

    const bool done = SendLayout(projectors, units) &&
                      SendInputs(1, std::min(projectors, ChannelsPerUnit)) &&
                      (units < 2 || SendInputs(ChannelsPerUnit + 1, projectors)) &&
                      SendOutputs(1) && SendUnitModes(units) && (units < 2 || SendOutputs(2)) &&
                      SendSeamGains(1, std::min(projectors, ChannelsPerUnit)) &&
                      (units < 2 || SendSeamGains(ChannelsPerUnit + 1, projectors));
    if (done) {
        end_ = End::Done;
    }
    return end_;
}

bool ConfigurationSend::SendLayout(int projectors, int units) {
    for (int unit = 1; unit <= units; ++unit) {
        if (!Go(form_->Link().Encoders().SendProjectors(unit, unit - 1, projectors))) {
            return false;
        }
    }
    const std::optional<int> overlap = ParseInt(form_->DisplaySetup().OverlapText().toStdString());
    if (!overlap) {
        end_ = End::Invalid;
        return false;
    }
    const int alignment = form_->Planning().AlignmentIndex();
    for (int unit = 1; unit <= units; ++unit) {
        if (!Go(form_->Link().Encoders().SendDisplay(unit, alignment, *overlap))) {
            return false;
        }
    }
    return true;
}

bool ConfigurationSend::ChannelLocked(int channel) const {
    return form_->Model().Channels.Input(ScreenToUnitChannel(channel)).VideoLocked == 1;
}

bool ConfigurationSend::SendInputs(int firstChannel, int lastChannel) {
    for (int channel = firstChannel; channel <= lastChannel; ++channel) {
        // Selecting the channel fills the page from the model.
        form_->SourceSetup().SelectChannel(channel);
        if (!StillGoing()) {
            return false;
        }
        if (!ChannelLocked(channel)) {
            continue;
        }
        if (!Go(form_->SourceSetup().SendPositionAndPhaseFromControls()) ||
            !Go(form_->SourceSetup().CommitColourFields())) {
            return false;
        }
    }
    return true;
}

bool ConfigurationSend::SendOutputs(int unit) {
    const int first = FirstChannelOf(unit);
    const int last = first + ChannelsPerUnit - 1;
    for (int channel = first; channel <= last; ++channel) {
        if (!Go(form_->DisplaySetup().SendTestPatternFromControls(channel))) {
            return false;
        }
    }
    for (int channel = first; channel <= last; ++channel) {
        if (!Go(form_->DisplaySetup().SendBlackLevelFromControls(channel))) {
            return false;
        }
    }
    // The wall's outer edges have neither halo nor feathering: channel 1 has no left edge,
    // channel 8 no right one. Halo left edges first, feathering right edges first.
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
        for (int channel = first; channel <= last; ++channel) {
            if ((edge.Side == EdgeSide::Left && channel == 1) ||
                (edge.Side == EdgeSide::Right && channel == ScreenCount)) {
                continue;
            }
            DisplaySetupPage& display = form_->DisplaySetup();
            const ControlSend sent = edge.Halo
                                         ? display.SendHaloFromControls(channel, edge.Side)
                                         : display.SendEdgeFeatherFromControls(channel, edge.Side);
            if (!Go(sent)) {
                return false;
            }
        }
    }
    return true;
}

bool ConfigurationSend::SendUnitModes(int units) {
    for (int unit = 1; unit <= units; ++unit) {
        if (!Go(form_->DisplaySetup().SendDataDoublingFromControls(unit))) {
            return false;
        }
    }
    for (int unit = 1; unit <= units; ++unit) {
        if (!Go(form_->DisplaySetup().SendBasicFeatheringFromControls(unit))) {
            return false;
        }
    }
    // The control mode reads the unit's outputs back into the model. Unit 2's outputs and both
    // units' seam gains are sent after it: without these copies they would go out as the
    // units held them before, and the configuration's own values would be lost.
    const ChannelSettings::OutputBlock unit2Before = form_->Model().Channels.Outputs[1];
    const ChannelSettings::OutputBlock unit1Before = form_->Model().Channels.Outputs[0];
    for (int unit = 1; unit <= units; ++unit) {
        if (!Go(form_->DisplaySetup().SendControlModeFromControls(unit))) {
            return false;
        }
    }
    ChannelSettings& channels = form_->Model().Channels;
    for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
        const auto record = static_cast<std::size_t>(channel);
        channels.Output(1, channel).SeamGain = unit1Before[record].SeamGain;
        if (units > 1) {
            CopyChannelOutputs(unit2Before[record], channels.Output(2, channel));
            channels.Output(2, channel).SeamGain = unit2Before[record].SeamGain;
        }
    }
    form_->DisplaySetup().FillDisplayPage();
    return true;
}

bool ConfigurationSend::SendSeamGains(int firstChannel, int lastChannel) {
    for (int channel = firstChannel; channel <= lastChannel; ++channel) {
        form_->SeamRemoval().SelectChannel(channel);
        if (!StillGoing()) {
            return false;
        }
        if (ChannelLocked(channel) && !Go(form_->SeamRemoval().CommitSeamGains())) {
            return false;
        }
    }
    return true;
}

} // namespace tarvel
