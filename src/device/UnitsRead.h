#pragma once

#include <QString>

namespace tarvel {

class DeviceLink;
struct SettingsModel;

// How a read of every unit in use ended.
struct UnitsReadEnd {
    enum class Outcome {
        Read,       // every unit in use was read (warnings may have been shown)
        NoUnits,    // the controller sees no unit
        UnitFailed, // a unit could not be read, or the user stopped its read
        Gone,       // the link went away (closed, lost, shut down); the user has been told
        Cancelled,  // the user cancelled the read; UnitsRead says how far it got
    };
    Outcome Result = Outcome::Gone;
    int UnitCount = 0;  // the units in use as the read found them (0 when not known)
    int UnitsRead = 0;  // the units read completely
    int FailedUnit = 0; // with UnitFailed: 1 or 2
    int Code = 0;       // with UnitFailed: the unit read's code, -1 .. -9
};

// How the message of a failed read names unit 1.
enum class UnitNaming {
    Plain,    // "Zelvar communication error! ..." (the read of everything)
    Numbered, // "Zelvar 1 communication error! ..." (the planning calculation's refresh)
};

// Reads the units in use into the model: through a controller the unit count first (two units
// at most are driven, whatever else it sees), directly one unit; then unit 1 and, with two
// units, unit 2, with every question the unit read asks on the way. UnitCount is set as soon
// as it is known. The read is a cancellable operation of the link (DeviceLink::Operation).
UnitsReadEnd ReadUnits(DeviceLink& link, SettingsModel& model);

// The message for a read that did not end in Read (empty for Read and Gone).
QString UnitsReadMessage(const UnitsReadEnd& end, UnitNaming naming);

} // namespace tarvel
