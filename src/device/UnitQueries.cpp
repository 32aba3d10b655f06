#include "device/UnitQueries.h"

#include "device/DeviceLink.h"
#include "model/ChannelSettings.h"
#include "protocol/StatusParsers.h"

#include <QPointer>

#include <array>

namespace tarvel {

namespace {

const QString QueryingText = QStringLiteral("Tarvel querying Zelvar(s). Please wait....");
const QString ReadErrorCaption = QStringLiteral("Prendel - Tarvel :Error reading from Zelvar(s)");
const QString NoUnitsText =
    QStringLiteral("No Zelvar(s) connected to Controllers. Check cables and try again.");
const QString FormatMismatchText =
    QStringLiteral("Warning: Current Output Format and Input Format does not match (no valid "
                   "input video?). Tarvel may not function properly.");

// The input width each fixed output format expects.
constexpr std::array<std::int32_t, 4> FormatWidths{640, 800, 1024, 1280};

QString UnreadableText(const char* status, int channel) {
    return QStringLiteral("Tarvel unable to read %1 Status on Screen %2. Do you still wish to "
                          "continue? Click Yes to continue (NOTE: Tarvel settings on Screen %2 "
                          "will be invalid)")
        .arg(QString::fromLatin1(status))
        .arg(channel);
}

// The settings of the whole unit, which the unit reports in every channel's output status,
// and its output format; the model keeps them in channel 1's record.
void TakeUnitSettings(OutputSettings& channel1, const OutputSettings& read) {
    channel1.OutputFormat = read.OutputFormat;
    channel1.OutputFrameRate = read.OutputFrameRate;
    channel1.OutputSync = read.OutputSync;
    channel1.ControlMode = read.ControlMode;
    channel1.ProjectorGroup = read.ProjectorGroup;
    channel1.TotalProjectors = read.TotalProjectors;
    channel1.DataDoubling = read.DataDoubling;
    channel1.ImageAlignment = read.ImageAlignment;
    channel1.DisplayOverlap = read.DisplayOverlap;
    channel1.BasicGamma = read.BasicGamma;
    channel1.BasicFeatherOn = read.BasicFeatherOn;
    channel1.SeamBridge = read.SeamBridge;
    channel1.FeatherCurve = read.FeatherCurve;
    channel1.BridgeThreshold = read.BridgeThreshold;
}

bool IsUnit(int unit) {
    return unit == 1 || unit == 2;
}

bool IsUnitChannel(int unit, int channel) {
    return IsUnit(unit) && channel >= 1 && channel <= ChannelsPerUnit;
}

} // namespace

UnitQueries::UnitQueries(DeviceLink& link) : link_(link) {}

QueryResult UnitQueries::Exchange(StatusQuery query, int unit, int channel, Variant variant) {
    const ConnectionMode mode = link_.Mode();
    const std::string text = QueryText(query, mode, link_.UnitAddress(unit), channel);
    const int minReplyLength = QueryMinReplyLength(query);
    int sends = 0;
    const auto send = [&] {
        ++sends;
        return link_.SendQuery(text, minReplyLength) == SendResult::Done;
    };

    if (!send()) {
        return QueryResult::Aborted;
    }
    if (!link_.ReplyFailed()) {
        return QueryResult::Ok;
    }
    if (mode == ConnectionMode::Direct) {
        return QueryResult::Failed;
    }
    const auto sendAgain = [&] {
        return variant == Variant::C ? link_.ControllerRejected() || link_.ReplyEmpty()
                                     : link_.ControllerRejected();
    };
    if (!sendAgain()) {
        return QueryResult::Failed;
    }
    while (sendAgain()) {
        if (sends >= ResendLimit) {
            return QueryResult::Failed;
        }
        if (!send()) {
            return QueryResult::Aborted;
        }
    }
    return link_.ReplyFailed() ? QueryResult::Failed : QueryResult::Ok;
}

QueryResult UnitQueries::ParseFailed(const char* what) {
    const QPointer<DeviceLink> alive(&link_);
    link_.SetStatusText(QStringLiteral("Error parsing %1 message....").arg(QLatin1String(what)));
    if (!link_.PumpOnce() || !link_.Pause(link_.Timing().QueryParsePauseMs) || !link_.PumpOnce()) {
        // The link is going away; the failure stands either way.
        return alive && !link_.Stopping() && !link_.CancelRequested() ? QueryResult::Failed
                                                                      : QueryResult::Aborted;
    }
    return QueryResult::Failed;
}

int UnitQueries::QueryUnitCount(SettingsModel& model) {
    int count = 0;
    ReadUnitCount(model, count);
    return count;
}

QueryResult UnitQueries::ReadUnitCount(SettingsModel& model, int& count) {
    count = 0;
    const QueryResult sent = Exchange(StatusQuery::UnitCount, 0, 0, Variant::A);
    if (sent != QueryResult::Ok) {
        return sent;
    }
    const UnitCountReply reply = ParseUnitCount(link_.ReplyBuffer());
    if (!reply.Valid()) {
        // Without the addresses the count names, no address may be taken from it.
        link_.SetStatusText(QStringLiteral("Error detecting # of Zelvar(s) from Controller"));
        return QueryResult::Failed;
    }
    SystemSettings& system = model.System;
    system.ControllerUnitCount = reply.Count;
    if (reply.Count == 0) {
        const QPointer<DeviceLink> alive(&link_);
        if (!link_.Tell(NoUnitsText) || !alive) {
            return QueryResult::Aborted;
        }
        link_.SetUnitAddressText(1, link_.UnitAddressText(1), false);
        link_.SetUnitAddressText(2, link_.UnitAddressText(2), false);
        return QueryResult::Ok;
    }
    for (int unit = 1; unit <= 2 && unit <= reply.Count; ++unit) {
        const std::int32_t address = reply.Addresses[static_cast<std::size_t>(unit - 1)];
        system.UnitId[static_cast<std::size_t>(unit - 1)] = address;
        link_.SetUnitAddressText(unit, QString::number(address), true);
    }
    count = reply.Count;
    return QueryResult::Ok;
}

QueryResult UnitQueries::QuerySystemInfo(SettingsModel& model, int unit) {
    if (!IsUnit(unit)) {
        return QueryResult::Failed;
    }
    const QueryResult sent = Exchange(StatusQuery::SystemInfo, unit, 0, Variant::A);
    if (sent != QueryResult::Ok) {
        return sent;
    }
    UnitInfo& info = model.System.UnitInfos[static_cast<std::size_t>(unit - 1)];
    if (ParseSystemInfo(link_.ReplyBuffer(), info)) {
        return QueryResult::Ok;
    }
    return ParseFailed("SYINFOZV");
}

QueryResult UnitQueries::QueryInputStatus(int unit, int channel) {
    const QPointer<DeviceLink> alive(&link_);
    const QueryResult read = QueryInputStatus(link_.Model(), unit, channel);
    if (alive && read == QueryResult::Ok) {
        alive->Observer().ModelChanged();
    }
    return read;
}

QueryResult UnitQueries::QueryOutputStatus(int unit, int channel) {
    const QPointer<DeviceLink> alive(&link_);
    const QueryResult read = QueryOutputStatus(link_.Model(), unit, channel);
    if (alive && read == QueryResult::Ok) {
        alive->Observer().ModelChanged();
    }
    return read;
}

QueryResult UnitQueries::QueryInputStatus(SettingsModel& model, int unit, int channel) {
    if (!IsUnitChannel(unit, channel)) {
        return QueryResult::Failed;
    }
    const QueryResult sent = Exchange(StatusQuery::InputStatus, unit, channel, Variant::B);
    if (sent != QueryResult::Ok) {
        return sent;
    }
    if (ParseInputStatus(link_.ReplyBuffer(), model.Channels.Input(unit, channel))) {
        return QueryResult::Ok;
    }
    return ParseFailed("IINFOZV");
}

QueryResult UnitQueries::QueryOutputStatus(SettingsModel& model, int unit, int channel) {
    if (!IsUnitChannel(unit, channel)) {
        return QueryResult::Failed;
    }
    const QueryResult sent = Exchange(StatusQuery::OutputStatus, unit, channel, Variant::C);
    if (sent != QueryResult::Ok) {
        return sent;
    }
    if (ParseOutputStatus(link_.ReplyBuffer(), model.Channels.Output(unit, channel),
                          model.System.OutputReplyKind)) {
        return QueryResult::Ok;
    }
    return ParseFailed("OINFOZV");
}

int UnitQueries::QueryUnit(SettingsModel& model, int unit) {
    const QPointer<DeviceLink> alive(&link_);
    const auto observer = [&]() -> LinkObserver& { return link_.Observer(); };
    observer().ProgressShown(QueryingText);
    observer().ProgressDots(QString());
    const auto end = [&](int code) {
        if (alive) {
            observer().ProgressHidden();
        }
        return code;
    };

    const QueryResult system = QuerySystemInfo(model, unit);
    if (system != QueryResult::Ok) {
        return end(system == QueryResult::Aborted ? 0 : -1);
    }
    observer().VersionRead(QString::fromStdString(FirmwareVersion(model.System.UnitInfos[0])));
    observer().ProgressDots(QStringLiteral("."));

    struct Step {
        bool Output;
        int Channel;
        const char* Dots; // after this channel; nullptr: no change
    };
    static constexpr std::array<Step, 8> Steps{{
        {false, 1, nullptr},
        {false, 2, ".."},
        {false, 3, nullptr},
        {false, 4, "..."},
        {true, 1, nullptr},
        {true, 2, nullptr},
        {true, 3, nullptr},
        {true, 4, "...."},
    }};
    int outputRead = 0; // the first channel whose output status was read
    for (const Step& step : Steps) {
        const QueryResult result = step.Output ? QueryOutputStatus(model, unit, step.Channel)
                                               : QueryInputStatus(model, unit, step.Channel);
        if (!alive) {
            return 0;
        }
        if (result == QueryResult::Aborted || link_.CancelRequested()) {
            return end(0);
        }
        if (step.Output && result == QueryResult::Ok && outputRead == 0) {
            outputRead = step.Channel;
        }
        if (result == QueryResult::Failed) {
            const std::optional<bool> goOn = link_.Ask(
                {LinkQuestionKind::ContinueAfterUnreadableStatus, MessageKind::YesNo,
                 UnreadableText(step.Output ? "Output" : "Input", step.Channel), ReadErrorCaption});
            if (!goOn) {
                return 0;
            }
            if (!*goOn) {
                return end((step.Output ? -5 : -1) - step.Channel);
            }
        }
        if (step.Dots != nullptr) {
            observer().ProgressDots(QString::fromLatin1(step.Dots));
        }
    }

    if (outputRead > 1) {
        // Channel 1 was skipped: its record may never have been read, and the pages take the
        // unit's settings from it. The unit reported them with the other channels too.
        TakeUnitSettings(model.Channels.UnitOutput(unit), model.Channels.Output(unit, outputRead));
    }
    model.System.ReadValid = true;
    const OutputSettings& output = model.Channels.Output(1, 1);
    OutputFormatResolution(output.OutputFormat, model.System.UnitOutputResH,
                           model.System.UnitOutputResV);
    const std::size_t format = output.OutputFormat;
    if (format < FormatWidths.size() &&
        model.Channels.Input(1, 1).HActive != FormatWidths[format]) {
        if (!link_.Tell(FormatMismatchText)) {
            return 0;
        }
    }
    return end(1);
}

} // namespace tarvel
