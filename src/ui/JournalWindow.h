#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarvel {

class Journal;
struct JournalEntry;

// The journal of exchanges on the line (Help > "Journal..."): one line per exchange, newest
// last, kept up to date while the window is open. Not modal; created hidden with the main
// window and only hidden when closed. "Save Support Report..." asks the main window to write
// the report that includes it.
class JournalWindow : public QWidget {
    Q_OBJECT

public:
    explicit JournalWindow(Journal& journal, QWidget* owner = nullptr);

    // Shows the window with the whole journal, or brings it up again.
    void ShowJournal();
    QString Text() const;

signals:
    void SaveReportRequested();

private:
    void Refill();
    void Append(const JournalEntry& entry);
    void ShowCount();

    Journal& journal_;
    QPlainTextEdit* text_;
    QLabel* countLabel_;
};

} // namespace tarvel
