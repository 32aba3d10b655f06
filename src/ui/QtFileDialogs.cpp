#include "ui/QtFileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tarvel {

const QString QtFileDialogs::OpenFilters =
    QStringLiteral("Zelvar Config Files (*.zvc);;Any file (*.*)");
const QString QtFileDialogs::SaveFilter = QStringLiteral("Zelvar Config Files (*.zvc)");
const QString QtFileDialogs::DefaultSuffix = QStringLiteral("zvc");
const QString QtFileDialogs::ComparisonReportFilter = QStringLiteral("Comparison Reports (*.csv)");
const QString QtFileDialogs::ComparisonReportSuffix = QStringLiteral("csv");

namespace {

QString Run(QFileDialog& dialog, QString& folder) {
    if (!folder.isEmpty()) {
        dialog.setDirectory(folder);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    const QString name = dialog.selectedFiles().constFirst();
    folder = QFileInfo(name).absolutePath();
    return name;
}

} // namespace

QString QtFileDialogs::OpenFileName() {
    QFileDialog dialog(parent_.data());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile); // the file must exist; no read-only box
    dialog.setNameFilter(OpenFilters);
    dialog.setSizeGripEnabled(true); // the dialog can be resized
    return Run(dialog, folder_);
}

QString QtFileDialogs::SaveFileName() {
    // An existing file is replaced without a question.
    return RunSave(SaveFilter, DefaultSuffix, QString(), false);
}

QString QtFileDialogs::SaveSupportReportName() {
    return RunSave(QStringLiteral("Text files (*.txt)"), QStringLiteral("txt"),
                   QStringLiteral("tarvel-support-report.txt"), true);
}

QString QtFileDialogs::SaveComparisonReportName() {
    return RunSave(ComparisonReportFilter, ComparisonReportSuffix, QString(), true);
}

QString QtFileDialogs::RunSave(const QString& filter, const QString& suffix,
                               const QString& proposed, bool confirmOverwrite) {
    QFileDialog dialog(parent_.data());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (!proposed.isEmpty()) {
        dialog.selectFile(proposed);
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    return Run(dialog, folder_);
}

} // namespace tarvel
