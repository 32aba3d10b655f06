#pragma once

#include "config/ConfigurationDiff.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace tarvel {

// What "Compare with Zelvar(s) ..." found: a summary line and a table of the settings that
// differ (screen or unit, setting, Tarvel's value, the units' value), sortable by any column
// and filtered by screen. Its buttons only ask (the signals); UnitsComparison acts. Escape and
// "Close" close it and change nothing; the table has the focus first.
class ComparisonDialog : public QDialog {
    Q_OBJECT

public:
    static const QString Caption;
    static const QString SameText;       // no difference
    static const QString OneText;        // one difference
    static const QString SeveralText;    // %1 differences
    static const QString AllScreensText; // the filter's first entry

    enum Column { PlaceColumn, SettingColumn, TarvelColumn, UnitsColumn, ColumnCount };

    explicit ComparisonDialog(QWidget* parent = nullptr);

    void ShowDifferences(const std::vector<SettingDifference>& differences);
    // The buttons that act on the units or the window are off while one runs.
    void SetActionsEnabled(bool enabled);
    // After a send not followed by a new comparison the units may hold some of Tarvel's values:
    // what the table shows of them is no longer known, so it cannot be taken (it can be sent
    // again).
    void DisableTake();

    QString SummaryText() const;
    // The rows as shown (sorted, filtered): one list of the four cells per row.
    std::vector<QStringList> ShownRows() const;
    QTableView* Table() const { return table_; }
    QComboBox* ScreenFilter() const { return screenFilter_; }

signals:
    void SendRequested();
    void TakeRequested();
    void SaveReportRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FilterScreen(int index);

    QLabel* summary_;
    QComboBox* screenFilter_;
    QStandardItemModel* rows_;
    QSortFilterProxyModel* shown_;
    QTableView* table_;
    QPushButton* sendButton_;
    QPushButton* takeButton_;
    QPushButton* reportButton_;
    QPushButton* closeButton_;
    bool anyDifference_ = false;
};

} // namespace tarvel
