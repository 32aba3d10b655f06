#include "ui/TInfoForm.h"

#include "platform/Waiter.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace tarvel {

namespace {

constexpr int FontPixels = 15;

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, Qt::Alignment align) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(align);
    QFont font = label->font();
    font.setPixelSize(FontPixels);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

} // namespace

TInfoForm::TInfoForm(QWidget* owner)
    : QWidget(owner,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      infoLabel_(MakeLabel(this, "InfoLabel", QRect(6, 7, 347, 20), Qt::AlignCenter)),
      progressLabel_(MakeLabel(this, "InfoProgressLabel", QRect(352, 7, 41, 20),
                               Qt::AlignLeft | Qt::AlignVCenter)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("TInfoForm"));
    setWindowTitle(QStringLiteral("Prendel - Tarvel Info"));
    setFixedSize(ClientWidth, ClientHeight);
    infoLabel_->setText(QStringLiteral("Auto Color Balance in progress. Please wait...."));
    constexpr int ButtonWidth = 75;
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    cancelButton_->setGeometry((ClientWidth - ButtonWidth) / 2, ClientHeight, ButtonWidth, 25);
    cancelButton_->hide();
    connect(cancelButton_, &QPushButton::clicked, this, &TInfoForm::Cancel);
}

void TInfoForm::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TInfoForm::ShowProgress(const QString& text, bool cancellable) {
    infoLabel_->setText(text);
    progressLabel_->clear();
    cancelButton_->setVisible(cancellable);
    cancelButton_->setEnabled(cancellable);
    setFixedSize(ClientWidth, cancellable ? ClientHeight + CancelRowHeight : ClientHeight);
    CentreOnScreen();
    show();
    raise();
    Waiter::ProcessPendingMessages();
    repaint();
    Waiter::ProcessPendingMessages();
}

void TInfoForm::SetProgressDots(const QString& dots) {
    progressLabel_->setText(dots);
    progressLabel_->repaint();
}

void TInfoForm::HideProgress() {
    hide();
}

void TInfoForm::Cancel() {
    if (cancelButton_->isVisible() && cancelButton_->isEnabled()) {
        cancelButton_->setEnabled(false); // the operation stops at its next safe point
        emit CancelClicked();
    }
}

void TInfoForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString TInfoForm::Text() const {
    return infoLabel_->text();
}

QString TInfoForm::Dots() const {
    return progressLabel_->text();
}

} // namespace tarvel
