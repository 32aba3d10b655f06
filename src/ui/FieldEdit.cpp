#include "ui/FieldEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>

namespace tarvel {

namespace {

int focusReturnDepth = 0;

struct FocusReturnScope {
    FocusReturnScope() { ++focusReturnDepth; }
    ~FocusReturnScope() { --focusReturnDepth; }
    FocusReturnScope(const FocusReturnScope&) = delete;
    FocusReturnScope& operator=(const FocusReturnScope&) = delete;
};

bool MovesWithinWindow(const QWidget* from, Qt::FocusReason reason) {
    switch (reason) {
    case Qt::ActiveWindowFocusReason: // a message box or another window came up
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        break;
    }
    // Qt names the new focus widget before it sends the focus-out.
    const QWidget* to = QApplication::focusWidget();
    return to != nullptr && to != from && to->window() == from->window();
}

} // namespace

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {}

bool FieldEdit::FocusBeingGivenBack() {
    return focusReturnDepth > 0;
}

void FieldEdit::TakeFocusBack() {
    FocusReturnScope scope;
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    // The edit finishes its own focus-out first (cursor, selection), so a commit that gives
    // the focus back finds the edit in its normal unfocused state.
    QLineEdit::focusOutEvent(event);
    if (!FocusBeingGivenBack() && MovesWithinWindow(this, reason)) {
        emit Left();
    }
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit EnterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace tarvel
