#include "cli/CliSend.h"

#include "cli/CliLink.h"
#include "cli/CliOptions.h"
#include "cli/ConfigurationText.h"
#include "cli/Console.h"
#include "cli/SendCoverage.h"
#include "config/ChangedSend.h"
#include "config/ConfigurationDiff.h"
#include "config/InputColours.h"
#include "config/PlanningLists.h"
#include "device/CommandEncoders.h"
#include "device/SendPlanRun.h"

#include <algorithm>

namespace tarvel {

namespace {

// The colour fields' labels in the rules' order, for the note of a refused value.
const char* const ColourLabels[] = {"Overall Contrast", "Overall Brightness", "Red Contrast",
                                    "Red Brightness",   "Green Contrast",     "Green Brightness",
                                    "Blue Contrast",    "Blue Brightness"};
static_assert(std::size(ColourLabels) == InputColourRules.size());

QString Plural(std::size_t count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromLatin1(count == 1 ? one : many));
}

} // namespace

CliSend::CliSend(const CliOptions& options, Console& console, SettingsModel& file)
    : options_(options), console_(console), file_(file) {}

ExitCode CliSend::MakePlan(int units, ConnectionMode mode, FileSendInput& input, SendPlan& plan) {
    // Without pages the alignment a file cannot name is the Planning page's first choice.
    input = SendInputFromFile(file_, units, mode, Centered);
    const OutputSettings& unit1 = file_.Channels.UnitOutput(1);
    if (input.ProjectorsOutsideList) {
        console_.Note(QStringLiteral("the file's number of projectors is %1; the Planning page "
                                     "shows %2, and %2 is sent")
                          .arg(unit1.TotalProjectors)
                          .arg(input.Input.Projectors));
    }
    if (input.AlignmentKept) {
        console_.Note(QStringLiteral("the file's alignment %1 is no entry of the list; Centered "
                                     "is sent")
                          .arg(unit1.ImageAlignment));
    }
    plan = BuildSendPlan(file_, input.Input);
    if (input.Input.Projectors > ChannelsPerUnit && plan.UnitCount < 2) {
        console_.Note(QStringLiteral("the file plans %1 projectors, but only unit 1 is in use "
                                     "(%2): screens 5-8 are not sent")
                          .arg(input.Input.Projectors)
                          .arg(mode == ConnectionMode::Direct
                                   ? QStringLiteral("a direct connection")
                                   : QStringLiteral("the controller sees one unit")));
    }
    if (plan.Invalid) {
        console_.Error(QStringLiteral("%1: the %2 holds a value the pages refuse; nothing sent")
                           .arg(options_.Files.front(), QString::fromStdString(*plan.Invalid)));
        return ExitCode::FileError;
    }
    for (const SkippedColour& skipped : plan.Skipped) {
        console_.Note(QStringLiteral("screen %1 %2 %3: the Source Setup page refuses it %4; not "
                                     "sent")
                          .arg(skipped.Screen)
                          .arg(QString::fromLatin1(ColourLabels[skipped.Rule]),
                               QString::fromStdString(skipped.Text),
                               QString::fromLatin1(InputColourRules[skipped.Rule].RangeText)));
    }
    return ExitCode::Success;
}

void CliSend::PrintPlan(const SendPlan& plan, ConnectionMode mode, int address1, int address2) {
    const QStringList lines = PlanLines(plan, mode, {address1, address2});
    console_.Out(lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

ExitCode CliSend::DryRunWithoutPort() {
    const ConnectionMode mode = options_.Mode.value_or(ConnectionMode::Controller);
    const int units = options_.Units != 0                  ? options_.Units
                      : mode == ConnectionMode::Controller ? UnitCountMax
                                                           : 1;
    FileSendInput input;
    SendPlan plan;
    if (const ExitCode made = MakePlan(units, mode, input, plan); made != ExitCode::Success) {
        return made;
    }
    // The window's first addresses: the units' own are known only once connected.
    PrintPlan(plan, mode, 1, 2);
    return ExitCode::Success;
}

ExitCode CliSend::RunPlan(CliLink& link, const SendPlan& plan) {
    const std::size_t total = plan.Steps.size();
    const SendPlanEnd end = RunSendPlan(link.Link(), plan, [&](std::size_t run, std::size_t steps) {
        const bool milestone = run == 0 || (run * 10 / steps) != ((run - 1) * 10 / steps);
        console_.Progress(QStringLiteral("Sending step %1 of %2").arg(run + 1).arg(steps),
                          milestone);
        return !link.Interrupted();
    });
    console_.EndProgress();
    if (end.Result == SendPlanEnd::Outcome::Done) {
        return ExitCode::Success;
    }
    return link.LineFailure(
        QStringLiteral("the send stopped after %1 of %2 steps").arg(end.StepsRun).arg(total));
}

ExitCode CliSend::SystemSave(CliLink& link, int units) {
    for (int unit = 1; unit <= units; ++unit) {
        console_.Progress(QStringLiteral("System save of unit %1").arg(unit));
        const SendResult saved = link.Link().Encoders().SendSystemSave(unit);
        console_.EndProgress();
        if (saved != SendResult::Done || link.Interrupted()) {
            return link.LineFailure(
                QStringLiteral("the system save of unit %1 did not go through").arg(unit));
        }
    }
    console_.Out(QStringLiteral("Stored in the units' memory.\n"));
    return ExitCode::Success;
}

ExitCode CliSend::Verify(CliLink& link, const SendPlan& whole, const FileSendInput& input) {
    SettingsModel after;
    if (const ExitCode read = link.ReadInto(after); read != ExitCode::Success) {
        return read;
    }
    return Report(DiffAgainstUnits(loaded_, after), whole, input);
}

ExitCode CliSend::Report(const std::vector<SettingDifference>& left, const SendPlan& whole,
                         const FileSendInput& input) {
    if (left.empty()) {
        console_.Out(QStringLiteral("The units now match the file.\n"));
        return ExitCode::Success;
    }
    console_.Out(QStringLiteral("The units differ from the file in %1:\n")
                     .arg(Plural(left.size(), "setting", "settings")) +
                 DiffText(left));
    for (const SettingDifference& difference : left) {
        const QString reason = NotCarriedReason(difference, loaded_, whole, input.Input);
        console_.Note(
            QStringLiteral("%1 %2: %3")
                .arg(DifferencePlace(difference),
                     QString::fromUtf8(difference.Row->Label.data(),
                                       static_cast<qsizetype>(difference.Row->Label.size())),
                     reason.isEmpty() ? QStringLiteral("sent, but the unit holds "
                                                       "another value")
                                      : reason));
    }
    return ExitCode::Differ;
}

ExitCode CliSend::Run() {
    if (options_.DryRun && !options_.ChangesOnly) {
        return DryRunWithoutPort();
    }
    // The link stores what it sends in its model; the file as loaded is what is compared.
    loaded_ = file_;
    CliLink link(options_, console_, file_);
    if (const ExitCode connected = link.Connect(); connected != ExitCode::Success) {
        return link.Finish(connected);
    }
    int units = 1;
    SettingsModel before;
    if (options_.ChangesOnly) {
        if (const ExitCode read = link.ReadInto(before); read != ExitCode::Success) {
            return link.Finish(read);
        }
        units = before.System.UnitCount;
    } else if (const ExitCode counted = link.CountUnits(file_, units);
               counted != ExitCode::Success) {
        return link.Finish(counted);
    }
    file_.System.UnitCount = units;

    const ConnectionMode mode = link.Link().Mode();
    FileSendInput input;
    SendPlan whole;
    if (const ExitCode made = MakePlan(units, mode, input, whole); made != ExitCode::Success) {
        return link.Finish(made);
    }
    SendPlan plan = whole;
    std::vector<SettingDifference> differences;
    if (options_.ChangesOnly) {
        differences = DiffAgainstUnits(loaded_, before);
        // The steps the window's comparison would send: what the send stores, against the units.
        plan = StepsThatChangeUnits(whole, file_, before);
        console_.Note(QStringLiteral("%1 from the file; %2 to send")
                          .arg(Plural(differences.size(), "setting differs", "settings differ"),
                               Plural(plan.Steps.size(), "step", "steps")));
        const QStringList notReported = NotReportedLabels(before.System.OutputReplyKind);
        if (!notReported.isEmpty()) {
            console_.Note(QStringLiteral("not compared and not sent, the units do not report "
                                         "them: ") +
                          notReported.join(QStringLiteral(", ")));
        }
    }
    if (options_.DryRun) {
        PrintPlan(plan, mode, link.Link().UnitAddress(1), link.Link().UnitAddress(2));
        return link.Finish(ExitCode::Success);
    }

    ExitCode code = ExitCode::Success;
    if (options_.ChangesOnly && plan.Steps.empty()) {
        // Nothing to send: either nothing differs, or only what a send does not carry.
        if (differences.empty()) {
            console_.Out(QStringLiteral("The units already match the file; nothing sent.\n"));
        } else {
            code = Report(differences, whole, input);
        }
    } else {
        if (code = RunPlan(link, plan); code != ExitCode::Success) {
            return link.Finish(code);
        }
        const auto readBacks = static_cast<std::size_t>(
            std::count_if(plan.Steps.begin(), plan.Steps.end(), [](const SendStep& step) {
                return step.Kind == SendStepKind::QueryOutput;
            }));
        const auto commands = static_cast<std::size_t>(
            std::count_if(plan.Steps.begin(), plan.Steps.end(),
                          [](const SendStep& step) { return step.Kind == SendStepKind::Command; }));
        console_.Out(QStringLiteral("Sent %1%2 to %3 (%4).\n")
                         .arg(Plural(commands, "command", "commands"),
                              readBacks == 0 ? QString()
                                             : QStringLiteral(" and ") +
                                                   Plural(readBacks, "read-back", "read-backs"),
                              Plural(static_cast<std::size_t>(plan.UnitCount), "unit", "units"),
                              link.Where()));
        if (options_.ChangesOnly) {
            code = Verify(link, whole, input);
            if (code != ExitCode::Success && code != ExitCode::Differ) {
                return link.Finish(code);
            }
        }
    }
    if (options_.SystemSave) {
        if (const ExitCode saved = SystemSave(link, plan.UnitCount); saved != ExitCode::Success) {
            return link.Finish(saved);
        }
    }
    return link.Finish(code);
}

} // namespace tarvel
