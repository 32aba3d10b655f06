#include "ui/JournalWindow.h"

#include "device/Journal.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tarvel {

JournalWindow::JournalWindow(Journal& journal, QWidget* owner)
    : QWidget(owner, Qt::Window), journal_(journal) {
    setObjectName(QStringLiteral("JournalWindow"));
    setWindowTitle(QStringLiteral("Prendel - Tarvel : Journal"));
    resize(1000, 440);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("JournalText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setMaximumBlockCount(static_cast<int>(journal.Capacity()));

    countLabel_ = new QLabel(this);
    countLabel_->setObjectName(QStringLiteral("JournalCountLabel"));
    auto* save = new QPushButton(QStringLiteral("Save Support Report..."), this);
    save->setObjectName(QStringLiteral("SaveSupportReportButton"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("JournalCloseButton"));
    connect(save, &QPushButton::clicked, this, &JournalWindow::SaveReportRequested);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(countLabel_, 1);
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);

    connect(&journal_, &Journal::EntryAdded, this, [this](const JournalEntry& entry) {
        if (isVisible()) {
            Append(entry);
        }
    });
}

void JournalWindow::ShowJournal() {
    Refill();
    if (isMinimized()) {
        showNormal();
    }
    show();
    raise();
    activateWindow();
}

QString JournalWindow::Text() const {
    return text_->toPlainText();
}

void JournalWindow::Refill() {
    QString all;
    for (const JournalEntry& entry : journal_.Entries()) {
        all += Journal::EntryText(entry);
        all += QLatin1Char('\n');
    }
    all.chop(1);
    text_->setPlainText(all);
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
    ShowCount();
}

void JournalWindow::Append(const JournalEntry& entry) {
    QScrollBar* bar = text_->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    text_->appendPlainText(Journal::EntryText(entry));
    if (atEnd) {
        bar->setValue(bar->maximum()); // the newest stays in sight unless the user scrolled up
    }
    ShowCount();
}

void JournalWindow::ShowCount() {
    const auto count = static_cast<qulonglong>(journal_.Entries().size());
    countLabel_->setText(count == 0 ? QStringLiteral("No exchanges yet.")
                                    : QStringLiteral("%1 exchanges, newest last.").arg(count));
}

} // namespace tarvel
