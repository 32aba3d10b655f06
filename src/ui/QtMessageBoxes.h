#pragma once

#include "platform/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

namespace tarvel {

// MessageBoxes on QMessageBox: modal to the main window, texts shown exactly as given (plain
// text, never interpreted as rich text). Closing a question box with Escape or its close
// button answers No or Cancel.
//
// A box belongs to the frontmost of the main window's own windows: while the always-on-top
// progress window is up, a box owned by the main window alone would sit under it.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the boxes belong to; the main window once it exists.
    void SetParent(QWidget* parent) { parent_ = parent; }

private:
    bool Show(MessageKind kind, const QString& caption, const QString& text) override;
    SaveChoice AskSaveChoice(const QString& caption, const QString& text) override;
    QWidget* Owner() const;

    QPointer<QWidget> parent_;
};

} // namespace tarvel
