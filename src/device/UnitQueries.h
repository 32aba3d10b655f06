#pragma once

#include "device/SendResult.h"
#include "protocol/StatusQuery.h"

namespace tarvel {

class DeviceLink;
struct SettingsModel;

// The status queries: how many units the controller sees and at which addresses, and each
// unit's system information, input status and output status, parsed into a model (the link's
// own, or another one a comparison reads into). Owned by the DeviceLink; every query goes
// through its SendQuery.
//
// When the controller asks for a query again (it refused it or reported an error, or the
// output status came back empty) the query is sent again, at most ResendLimit times in all;
// then it fails.
class UnitQueries {
public:
    static constexpr int ResendLimit = 5;

    explicit UnitQueries(DeviceLink& link);

    // The unit count; 0 on failure or when the controller sees no unit. Fills the unit
    // addresses (the link's ZelvarID texts and the model's UnitId).
    int QueryUnitCount(SettingsModel& model);
    // The same, telling a failed reply from a link that went away.
    QueryResult ReadUnitCount(SettingsModel& model, int& count);

    QueryResult QuerySystemInfo(SettingsModel& model, int unit);
    QueryResult QueryInputStatus(SettingsModel& model, int unit, int channel);
    QueryResult QueryOutputStatus(SettingsModel& model, int unit, int channel);
    // The same, into the link's own model.
    QueryResult QueryInputStatus(int unit, int channel);
    QueryResult QueryOutputStatus(int unit, int channel);

    // Reads one unit completely behind the progress window. 1: read (warnings may have been
    // shown); -1: system information failed; -2..-5: the user stopped after the input status of
    // channel 1..4 failed; -6..-9: the same for the output status. 0: the read was abandoned
    // because the link went away (closed, lost or shut down; the user has already been told),
    // or the user cancelled it (the link's CancelRequested).
    int QueryUnit(SettingsModel& model, int unit);

private:
    enum class Variant { A, B, C };

    QueryResult Exchange(StatusQuery query, int unit, int channel, Variant variant);
    QueryResult ParseFailed(const char* what);

    DeviceLink& link_;
};

} // namespace tarvel
