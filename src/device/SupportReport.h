#pragma once

#include <QDateTime>
#include <QString>

namespace tarvel {

class DeviceLink;
struct SettingsModel;

// What the program that writes the report knows and the link does not.
struct SupportReportContext {
    QString ProgramVersion; // "1.08"
    QString WindowSystem;   // the Qt platform plugin ("xcb", "windows"); empty without one
    QString IniPath;        // Tarvel.ini as the program uses it; empty when it has none
    QDateTime Written = QDateTime::currentDateTime();
};

// One text file for whoever helps the user: the program and Qt versions, the system, the port
// list, the link's settings and state, the units' information as last read, Tarvel.ini's
// values and the journal of exchanges, newest last.
class SupportReport {
public:
    static QString Text(DeviceLink& link, const SettingsModel& model,
                        const SupportReportContext& context);
};

} // namespace tarvel
