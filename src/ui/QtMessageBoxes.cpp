#include "ui/QtMessageBoxes.h"

#include <QMessageBox>

namespace tarvel {

QWidget* QtMessageBoxes::Owner() const {
    QWidget* owner = parent_.data();
    if (owner == nullptr) {
        return nullptr;
    }
    // A window stacked above its owner takes the box: window systems keep a box above the
    // window it belongs to, always-on-top or not.
    for (QObject* child : owner->children()) {
        auto* window = qobject_cast<QWidget*>(child);
        if (window != nullptr && window->windowType() == Qt::Tool && window->isVisible()) {
            return window;
        }
    }
    return owner;
}

bool QtMessageBoxes::Show(MessageKind kind, const QString& caption, const QString& text) {
    QMessageBox box(Owner());
    box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (kind) {
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MessageKind::YesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageKind::OkCancel:
    case MessageKind::SaveDiscardCancel: // asked through AskSaveChoice
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    const int answer = box.exec();
    return kind == MessageKind::Information || answer == QMessageBox::Yes ||
           answer == QMessageBox::Ok;
}

SaveChoice QtMessageBoxes::AskSaveChoice(const QString& caption, const QString& text) {
    QMessageBox box(Owner());
    box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

} // namespace tarvel
