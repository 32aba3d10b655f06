#include "device/UnitsRead.h"

#include "device/DeviceLink.h"
#include "device/UnitQueries.h"
#include "model/ChannelSettings.h"

#include <QPointer>

#include <algorithm>

namespace tarvel {

namespace {

const QString ReadCancelledText = QStringLiteral(
    "Reading cancelled after %1 of %2 Zelvar(s). The settings shown are those from before.");
const QString ReadCancelledEarlyText = QStringLiteral(
    "Reading cancelled before any Zelvar was read. The settings shown are those from before.");
const QString NotDetectedByControllerText =
    QStringLiteral("Zelvar not detected by Controller.\n(1)Check cables.\n(2)Make sure the Zelvar "
                   "has booted up completely and reboot the Controller.");

} // namespace

UnitsReadEnd ReadUnits(DeviceLink& link, SettingsModel& model) {
    const QPointer<DeviceLink> alive(&link);
    const DeviceLink::Operation operation(link);
    UnitsReadEnd end;
    const auto stopped = [&] {
        if (alive && link.CancelRequested()) {
            end.Result = UnitsReadEnd::Outcome::Cancelled;
        } else {
            end.Result = UnitsReadEnd::Outcome::Gone;
        }
        return end;
    };
    int count = 1;
    if (link.Mode() == ConnectionMode::Controller) {
        if (link.Queries().ReadUnitCount(model, count) == QueryResult::Aborted || !alive) {
            return stopped();
        }
        if (count < 1) {
            end.Result = UnitsReadEnd::Outcome::NoUnits;
            return end;
        }
    }
    model.System.UnitCount = std::min(count, 2);
    end.UnitCount = model.System.UnitCount;
    for (int unit = 1; unit <= end.UnitCount; ++unit) {
        const int code = link.Queries().QueryUnit(model, unit);
        if (!alive || code == 0) {
            return stopped();
        }
        if (code < 0) {
            end.Result = UnitsReadEnd::Outcome::UnitFailed;
            end.FailedUnit = unit;
            end.Code = code;
            return end;
        }
        end.UnitsRead = unit;
    }
    end.Result = UnitsReadEnd::Outcome::Read;
    return end;
}

QString UnitsReadMessage(const UnitsReadEnd& end, UnitNaming naming) {
    switch (end.Result) {
    case UnitsReadEnd::Outcome::NoUnits:
        return NotDetectedByControllerText;
    case UnitsReadEnd::Outcome::UnitFailed: {
        const QString name = end.FailedUnit == 1 && naming == UnitNaming::Plain
                                 ? QStringLiteral("Zelvar")
                                 : QStringLiteral("Zelvar %1").arg(end.FailedUnit);
        return name + QStringLiteral(" communication error! Please check Serial connections and "
                                     "try again (%1)")
                          .arg(end.Code);
    }
    case UnitsReadEnd::Outcome::Cancelled:
        return end.UnitCount > 0 ? ReadCancelledText.arg(end.UnitsRead).arg(end.UnitCount)
                                 : ReadCancelledEarlyText;
    case UnitsReadEnd::Outcome::Read:
    case UnitsReadEnd::Outcome::Gone:
        break;
    }
    return {};
}

} // namespace tarvel
