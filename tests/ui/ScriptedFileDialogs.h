#pragma once

#include "ui/FileDialogs.h"

#include <QStringList>

#include <deque>

namespace tarvel::test {

// The file dialogs of a test: each dialog takes the next queued name (an empty name, or none
// queued, is Cancel) and is recorded.
class ScriptedFileDialogs : public FileDialogs {
public:
    void Choose(const QString& name) { names_.push_back(name); }

    QString OpenFileName() override { return Next(QStringLiteral("open")); }
    QString SaveFileName() override { return Next(QStringLiteral("save")); }
    QString SaveSupportReportName() override { return Next(QStringLiteral("support report")); }
    QString SaveComparisonReportName() override { return Next(QStringLiteral("report")); }

    // "open", "save", "support report" and "report", one per dialog shown.
    QStringList Shown;

private:
    QString Next(const QString& kind) {
        Shown << kind;
        if (names_.empty()) {
            return QString();
        }
        const QString name = names_.front();
        names_.pop_front();
        return name;
    }

    std::deque<QString> names_;
};

} // namespace tarvel::test
