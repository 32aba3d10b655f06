#pragma once

#include "ui/FileDialogs.h"

#include <QPointer>
#include <QWidget>

namespace tarvel {

// FileDialogs on QFileDialog, modal to the main window. The dialogs remember the folder last
// used for the next showing.
class QtFileDialogs : public FileDialogs {
public:
    static const QString OpenFilters; // "Zelvar Config Files (*.zvc)" and "Any file (*.*)"
    static const QString SaveFilter;  // "Zelvar Config Files (*.zvc)"
    static const QString DefaultSuffix;
    static const QString ComparisonReportFilter; // "Comparison Reports (*.csv)"
    static const QString ComparisonReportSuffix;

    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    QString OpenFileName() override;
    QString SaveFileName() override;
    QString SaveSupportReportName() override;
    QString SaveComparisonReportName() override;

private:
    QString RunSave(const QString& filter, const QString& suffix, const QString& proposed,
                    bool confirmOverwrite);

    QPointer<QWidget> parent_;
    QString folder_;
};

} // namespace tarvel
