#pragma once

#include "config/ComparisonReport.h"
#include "model/ChannelSettings.h"

#include <QDateTime>
#include <QPointer>
#include <QString>

#include <vector>

namespace tarvel {

class ComparisonDialog;
class TTarvelForm;

// "Compare with Zelvar(s) ...": reads the units in use into a model of its own, starting from
// a copy of the window's (the window's model and pages stay as they are), and shows what
// differs in the ComparisonDialog. Its choices:
//
// - "Send Tarvel's values": the window's whole send, restricted to the steps that change what
//   the units hold; then the units are read and compared again;
// - "Take the units' values": the window takes the model read and fills every page, as a read
//   does (nothing is sent);
// - "Save Report...": the differences as CSV.
//
// Every read and send goes through the link as any other operation does (Busy, the hourglass,
// the progress window, the link's messages, the journal).
class UnitsComparison {
public:
    static const QString ReportErrorText; // %1: the file

    explicit UnitsComparison(TTarvelForm& form);
    ~UnitsComparison();
    UnitsComparison(const UnitsComparison&) = delete;
    UnitsComparison& operator=(const UnitsComparison&) = delete;

    // The menu item: reads the units, then opens the dialog (window-modal, it returns at
    // once). A read that fails shows its message and opens nothing.
    void Run();

    // The dialog while it is open; null otherwise.
    ComparisonDialog* Dialog() const;
    const std::vector<SettingDifference>& Differences() const { return differences_; }

    void SendTarvelValues();
    void TakeUnitsValues();
    void SaveReport();

private:
    // Reads the units and compares; false after the read's message (or when the link is busy
    // or down).
    bool ReadAndCompare();
    ComparisonHeader Header() const;

    TTarvelForm& form_;
    SettingsModel units_;
    std::vector<SettingDifference> differences_;
    QDateTime comparedAt_;
    QPointer<ComparisonDialog> dialog_;
};

} // namespace tarvel
