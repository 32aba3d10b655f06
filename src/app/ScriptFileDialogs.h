#pragma once

#include "ui/FileDialogs.h"

#include <QString>

#include <deque>
#include <functional>

namespace tarvel {

// The open and save dialogs of an automation script: each dialog takes the next queued name;
// none queued (or an empty one) is Cancel. Every dialog is reported as it is shown.
class ScriptFileDialogs : public FileDialogs {
public:
    // kind is "open", "save", "support report" or "report"; name is empty for Cancel.
    using Reporter = std::function<void(const QString& kind, const QString& name)>;

    explicit ScriptFileDialogs(Reporter reporter) : reporter_(std::move(reporter)) {}

    void Choose(const QString& name) { names_.push_back(name); }

    QString OpenFileName() override { return Next(QStringLiteral("open")); }
    QString SaveFileName() override { return Next(QStringLiteral("save")); }
    QString SaveSupportReportName() override { return Next(QStringLiteral("support report")); }
    QString SaveComparisonReportName() override { return Next(QStringLiteral("report")); }

private:
    QString Next(const QString& kind) {
        QString name;
        if (!names_.empty()) {
            name = names_.front();
            names_.pop_front();
        }
        if (reporter_) {
            reporter_(kind, name);
        }
        return name;
    }

    Reporter reporter_;
    std::deque<QString> names_;
};

} // namespace tarvel
