#include "cli/CliLink.h"

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "device/UnitQueries.h"
#include "device/UnitsRead.h"
#include "model/ChannelSettings.h"
#include "platform/PortList.h"

#include <QFileInfo>

#include <algorithm>

namespace tarvel {

namespace {

// The port list the way TARVEL_PORTS gives it, before the port exists: a device becomes
// COM 1; a COM number keeps its number and is the only one searched.
bool ChoosePorts(const CliOptions& options) {
    QStringList list;
    if (!options.Device.isEmpty()) {
        // A name in the working folder is that file; the port takes any other as a name
        // under /dev ("ttyUSB0").
        const QFileInfo file(options.Device);
        list << (file.isRelative() && file.exists() ? file.absoluteFilePath() : options.Device);
    } else if (options.ComNumber > 0) {
        const QString device = PortList::DeviceFor(options.ComNumber);
        for (int n = 1; n < options.ComNumber; ++n) {
            list << QString();
        }
        list << device;
    } else {
        return false;
    }
    qputenv(PortList::EnvironmentVariable, PortList::OverrideText(list).toLocal8Bit());
    return true;
}

QString ModeName(ConnectionMode mode) {
    return mode == ConnectionMode::Controller ? QStringLiteral("controller")
                                              : QStringLiteral("direct");
}

} // namespace

CliLink::CliLink(const CliOptions& options, Console& console, SettingsModel& model)
    : options_(options), console_(console), portsChosen_(ChoosePorts(options)),
      user_(options.Retries, console), observer_(console),
      link_(port_, model, user_, LinkTiming::FromEnvironment()),
      interrupts_([this] { link_.Shutdown(); }) {
    link_.SetObserver(&observer_);
    QObject::connect(
        &link_.ExchangeJournal(), &Journal::EntryAdded, &link_,
        [this](const JournalEntry& entry) { console_.Exchange(Journal::EntryText(entry)); });
}

CliLink::~CliLink() {
    link_.SetObserver(nullptr);
    console_.EndProgress();
}

ExitCode CliLink::Connect() {
    if (portsChosen_ && options_.ComNumber > 0 &&
        PortList::DeviceFor(options_.ComNumber).isEmpty()) {
        console_.Error(QStringLiteral("no units found: COM %1 has no device (see 'tarvel-cli "
                                      "ports')")
                           .arg(options_.ComNumber));
        return ExitCode::NoUnits;
    }
    const QString ports = !portsChosen_ ? QStringLiteral("COM 1 to COM 8")
                          : options_.Device.isEmpty()
                              ? QStringLiteral("COM %1").arg(options_.ComNumber)
                              : options_.Device;
    bool connected = false;
    if (options_.Mode == ConnectionMode::Controller) {
        console_.Progress(QStringLiteral("Looking for a controller on %1").arg(ports));
        connected = link_.ConnectThroughController();
    } else if (options_.Mode == ConnectionMode::Direct) {
        console_.Progress(QStringLiteral("Looking for a unit wired directly on %1").arg(ports));
        // No plan here: a file's projectors are the send's business, after the connection.
        connected = link_.ConnectDirectly(1, 1);
    } else {
        console_.Progress(
            QStringLiteral("Searching %1, directly, then through a controller").arg(ports));
        connected = link_.Search(1);
    }
    console_.EndProgress();
    if (Interrupted()) {
        return LineFailure(QString());
    }
    if (!connected) {
        console_.Error(QStringLiteral("no units found on %1%2")
                           .arg(ports, options_.Mode
                                           ? QStringLiteral(" (%1)").arg(ModeName(*options_.Mode))
                                           : QString()));
        return ExitCode::NoUnits;
    }
    if (options_.Baud != 0) {
        link_.ChooseBaud(options_.Baud);
    }
    console_.Note(QStringLiteral("connected: %1").arg(Where()));
    user_.ClearLastText();
    return ExitCode::Success;
}

QString CliLink::Where() const {
    const LinkSettings settings = link_.Settings();
    const int com = link_.ComNumber();
    const QString device = PortList::DeviceFor(com);
    return QStringLiteral("%1 on COM %2%3, %4 baud")
        .arg(ModeName(link_.Mode()))
        .arg(com)
        .arg(device.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(device))
        .arg(settings.Baud);
}

ExitCode CliLink::ReadInto(SettingsModel& units) {
    // A count the controller really gave says so here; a reply that never came leaves it.
    units.System.ControllerUnitCount = -1;
    observer_.BeginRead();
    const UnitsReadEnd end = ReadUnits(link_, units);
    console_.EndProgress();
    if (Interrupted()) {
        return LineFailure(QString());
    }
    switch (end.Result) {
    case UnitsReadEnd::Outcome::Read:
        return ExitCode::Success;
    case UnitsReadEnd::Outcome::NoUnits:
        if (units.System.ControllerUnitCount == 0) {
            console_.Error(QStringLiteral("no units found: ") +
                           UnitsReadMessage(end, UnitNaming::Plain));
            return ExitCode::NoUnits;
        }
        return LineFailure(QStringLiteral("the controller gave no unit count"));
    case UnitsReadEnd::Outcome::UnitFailed:
        return LineFailure(UnitsReadMessage(end, UnitNaming::Numbered));
    case UnitsReadEnd::Outcome::Cancelled:
    case UnitsReadEnd::Outcome::Gone:
        break;
    }
    return LineFailure(QStringLiteral("the read of the units stopped"));
}

ExitCode CliLink::CountUnits(SettingsModel& model, int& count) {
    count = 1;
    if (link_.Mode() == ConnectionMode::Direct) {
        return ExitCode::Success;
    }
    const QueryResult result = link_.Queries().ReadUnitCount(model, count);
    if (Interrupted()) {
        return LineFailure(QString());
    }
    if (result != QueryResult::Ok) {
        return LineFailure(QStringLiteral("the controller gave no unit count"));
    }
    if (count < 1) {
        console_.Error(QStringLiteral("no units found: the controller sees no unit"));
        return ExitCode::NoUnits;
    }
    count = std::min(count, UnitCountMax);
    model.System.UnitCount = count;
    return ExitCode::Success;
}

ExitCode CliLink::LineFailure(const QString& what) {
    console_.EndProgress();
    if (Interrupted()) {
        console_.Error(QStringLiteral("interrupted"));
        return ExitCode::Interrupted;
    }
    QString text = what;
    const QString last = user_.LastText();
    if (!last.isEmpty() && !text.contains(last)) {
        text += (text.isEmpty() ? QString() : QStringLiteral(": ")) + last;
    }
    console_.Error(QStringLiteral("the line failed: ") + text);
    return ExitCode::LineFailed;
}

ExitCode CliLink::Finish(ExitCode code) {
    console_.EndProgress();
    if (options_.JournalPath.isEmpty()) {
        return code;
    }
    if (!link_.ExchangeJournal().SaveText(options_.JournalPath)) {
        console_.Error(
            QStringLiteral("%1: the journal cannot be written").arg(options_.JournalPath));
        return code == ExitCode::Success ? ExitCode::FileError : code;
    }
    return code;
}

} // namespace tarvel
