#pragma once

#include <QLineEdit>

namespace tarvel {

// A one-line edit whose value takes effect when the user leaves it.
//
// Left is emitted every time the focus moves from this edit to another control of the same
// window (Tab, a click, Enter moving on, a page switch), changed or not. It is not emitted
// when the focus leaves because a message box, a menu, a pop-up or another window became
// active, nor while a failed commit gives the focus back (TakeFocusBack); otherwise a
// message shown by one commit would set off another.
//
// Enter is not typed into the edit: it emits EnterPressed so the owner can move the focus on
// (which then emits Left). Every other key goes to the edit unfiltered.
class FieldEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit FieldEdit(QWidget* parent = nullptr);

    // After a failed commit: the focus comes back here with the text selected, and whatever
    // focus change this causes (the control the user went to losing it again) commits nothing.
    void TakeFocusBack();

    // True while TakeFocusBack runs anywhere in the program.
    static bool FocusBeingGivenBack();

signals:
    void Left();
    void EnterPressed();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tarvel
