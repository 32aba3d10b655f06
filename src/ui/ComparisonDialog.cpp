#include "ui/ComparisonDialog.h"

#include "config/ComparisonReport.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvel {

const QString ComparisonDialog::Caption =
    QStringLiteral("Prendel - Tarvel :Compare with Zelvar(s)");
const QString ComparisonDialog::SameText =
    QStringLiteral("The Zelvar(s) hold exactly what Tarvel shows.");
const QString ComparisonDialog::OneText =
    QStringLiteral("1 setting differs between Tarvel and the Zelvar(s).");
const QString ComparisonDialog::SeveralText =
    QStringLiteral("%1 settings differ between Tarvel and the Zelvar(s).");
const QString ComparisonDialog::AllScreensText = QStringLiteral("All screens");

namespace {

constexpr int SortRole = Qt::UserRole + 1;
constexpr int Width = 760; // well inside a 1280 x 800 screen
constexpr int Height = 460;

QStandardItem* Cell(const QString& text, const QVariant& sortKey) {
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    item->setData(sortKey, SortRole);
    return item;
}

// Numbers sort as numbers, names as names.
QVariant ValueKey(const std::string& value) {
    bool number = false;
    const double parsed = QString::fromStdString(value).toDouble(&number);
    return number ? QVariant(parsed) : QVariant(QString::fromStdString(value));
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false); // Enter in the table presses nothing but Close
    return button;
}

} // namespace

ComparisonDialog::ComparisonDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ComparisonDialog"));
    setWindowTitle(Caption);
    setSizeGripEnabled(true);
    resize(Width, Height);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("ComparisonSummaryLabel"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);

    auto* filterLabel = new QLabel(QStringLiteral("Screen:"), this);
    screenFilter_ = new QComboBox(this);
    screenFilter_->setObjectName(QStringLiteral("ComparisonScreenComboBox"));
    screenFilter_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    filterLabel->setBuddy(screenFilter_);
    connect(screenFilter_, &QComboBox::currentIndexChanged, this, &ComparisonDialog::FilterScreen);

    rows_ = new QStandardItemModel(0, ColumnCount, this);
    rows_->setHorizontalHeaderLabels({QStringLiteral("Screen"), QStringLiteral("Setting"),
                                      QStringLiteral("Tarvel"), QStringLiteral("Zelvar(s)")});
    shown_ = new QSortFilterProxyModel(this);
    shown_->setSourceModel(rows_);
    shown_->setSortRole(SortRole);
    shown_->setFilterKeyColumn(PlaceColumn);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("ComparisonTable"));
    table_->setModel(shown_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder); // the comparison's own order until asked
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false); // Tab leaves the table for the buttons
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    QHeaderView* header = table_->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(SettingColumn, QHeaderView::Stretch);

    sendButton_ = Button(QStringLiteral("Send Tarvel's values"), "SendTarvelValuesButton", this);
    takeButton_ = Button(QStringLiteral("Take the units' values"), "TakeUnitsValuesButton", this);
    reportButton_ = Button(QStringLiteral("Save Report..."), "SaveReportButton", this);
    closeButton_ = Button(QStringLiteral("Close"), "CloseButton", this);
    closeButton_->setDefault(true);
    connect(sendButton_, &QPushButton::clicked, this, &ComparisonDialog::SendRequested);
    connect(takeButton_, &QPushButton::clicked, this, &ComparisonDialog::TakeRequested);
    connect(reportButton_, &QPushButton::clicked, this, &ComparisonDialog::SaveReportRequested);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(screenFilter_);
    filterRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sendButton_);
    buttons->addWidget(takeButton_);
    buttons->addStretch(1);
    buttons->addWidget(reportButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addLayout(filterRow);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    setTabOrder(table_, screenFilter_);
    setTabOrder(screenFilter_, sendButton_);
    setTabOrder(sendButton_, takeButton_);
    setTabOrder(takeButton_, reportButton_);
    setTabOrder(reportButton_, closeButton_);
    ShowDifferences({});
}

void ComparisonDialog::ShowDifferences(const std::vector<SettingDifference>& differences) {
    anyDifference_ = !differences.empty();
    if (differences.empty()) {
        summary_->setText(SameText);
    } else if (differences.size() == 1) {
        summary_->setText(OneText);
    } else {
        summary_->setText(SeveralText.arg(differences.size()));
    }

    rows_->removeRows(0, rows_->rowCount());
    QStringList places;
    int order = 0;
    for (const SettingDifference& difference : differences) {
        const QString place = QString::fromStdString(DifferencePlace(difference));
        // Within one place the rows keep the comparison's order.
        const int placeKey = DifferencePlaceOrder(difference) * 1000 + order++;
        rows_->appendRow({
            Cell(place, placeKey),
            Cell(QString::fromStdString(DifferenceSetting(difference)),
                 QString::fromStdString(DifferenceSetting(difference))),
            Cell(QString::fromStdString(difference.ValueA), ValueKey(difference.ValueA)),
            Cell(QString::fromStdString(difference.ValueB), ValueKey(difference.ValueB)),
        });
        if (!places.contains(place)) {
            places << place;
        }
    }

    const QString chosen = screenFilter_->currentText();
    {
        const QSignalBlocker quiet(screenFilter_);
        screenFilter_->clear();
        screenFilter_->addItem(AllScreensText);
        screenFilter_->addItems(places);
        screenFilter_->setCurrentIndex(std::max(0, screenFilter_->findText(chosen)));
    }
    FilterScreen(screenFilter_->currentIndex());
    SetActionsEnabled(true);
}

void ComparisonDialog::SetActionsEnabled(bool enabled) {
    sendButton_->setEnabled(enabled && anyDifference_);
    takeButton_->setEnabled(enabled && anyDifference_);
    reportButton_->setEnabled(enabled);
    closeButton_->setEnabled(enabled);
}

void ComparisonDialog::DisableTake() {
    takeButton_->setEnabled(false);
}

QString ComparisonDialog::SummaryText() const {
    return summary_->text();
}

std::vector<QStringList> ComparisonDialog::ShownRows() const {
    std::vector<QStringList> rows;
    for (int row = 0; row < shown_->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column) {
            cells << shown_->index(row, column).data().toString();
        }
        rows.push_back(cells);
    }
    return rows;
}

void ComparisonDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    table_->setFocus(Qt::OtherFocusReason);
}

void ComparisonDialog::FilterScreen(int index) {
    if (index <= 0) {
        shown_->setFilterRegularExpression(QRegularExpression());
        return;
    }
    const QString place = screenFilter_->itemText(index);
    shown_->setFilterRegularExpression(QRegularExpression(
        QStringLiteral("^") + QRegularExpression::escape(place) + QStringLiteral("$")));
}

} // namespace tarvel
