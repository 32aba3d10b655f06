#pragma once

#include <QString>

namespace tarvel {

// The open and save dialogs of the configuration file, and the save dialogs of the support
// report and of the comparison's report. The window shows the real dialogs; tests answer with a
// file name of their own. An empty name means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // "Open Configuration File": an existing file, the filter list offering "*.zvc" first.
    virtual QString OpenFileName() = 0;
    // "Save Configuration to File": a name without extension gets ".zvc"; an existing file
    // is chosen without a question (it is then replaced).
    virtual QString SaveFileName() = 0;
    // "Save Support Report...": a text file; a name without extension gets ".txt".
    virtual QString SaveSupportReportName() = 0;
    // "Save Report..." of the comparison: a CSV file; a name without extension gets ".csv".
    virtual QString SaveComparisonReportName() = 0;

protected:
    FileDialogs() = default;
    FileDialogs(const FileDialogs&) = default;
    FileDialogs& operator=(const FileDialogs&) = default;
};

} // namespace tarvel
