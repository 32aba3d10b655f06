#pragma once

#include "ui/NumericFieldRules.h"
#include "ui/UiContext.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace tarvel {

class FieldEdit;
class SpinButtons;

// The edit-plus-arrows field that almost every device parameter is edited in, made from one
// table row. There is no Apply button:
//
// - CommitField runs whenever the focus moves from the edit to another control of the same
//   window (changed or not), and at the end of every step. It converts and checks each field
//   of the group in order; the first failure shows that field's message, restores what the
//   row says, gives the focus back to that edit and stops. When every value is valid and the
//   program is not filling controls (UpdatingControls clear) the group's send runs with all
//   values: it stores them in the model and sends them while the link is up. Every valid
//   commit sends again, there is no comparison with a previous value.
// - StepField (the arrows, auto-repeating) is guarded by Busy: it converts the text, moves it
//   one step when the value lies inside the bounds in that direction, shows it (reals with one
//   decimal, computed on the exact value) and commits. A value at or beyond a bound is left as
//   it is, so a typed value outside the bounds is never pulled back by the arrows.
// - Enter moves the focus to the row's Enter target, which commits the edit.
//
// The field creates its edit and arrows as children of `parent` (objectNames Stem + "Edit",
// Stem + "UpDown"); the page places them. The context must outlive the field.
class NumericField : public QObject {
    Q_OBJECT

public:
    NumericField(NumericFieldRules spec, const UiContext& context, QWidget* parent);
    ~NumericField() override;

    // Makes two fields one commit group: validated first then second, sent together by
    // `send` with both values. Committing either edit commits both.
    static void MakePair(NumericField& first, NumericField& second, NumericSend send);

    FieldEdit* Edit() const { return edit_; }
    SpinButtons* Spin() const { return spin_; }
    const NumericFieldRules& Spec() const { return spec_; }

    // The edit at (x, y) with the arrows against its right side.
    void Place(int x, int y, int editWidth, int height = 21);
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);

    QString Text() const;
    void SetText(const QString& text);
    // The value as shown in this field's kind: "12" or "2.3".
    QString FormatValue(double value) const;
    // The text converted strictly, or nullopt when it is not a number of this field's kind.
    std::optional<double> Value() const;

    // Returns true when every field of the group held a valid value (whether or not it was
    // sent).
    bool CommitField();
    void StepField(bool up);

private:
    struct Group {
        std::vector<QPointer<NumericField>> Fields;
        NumericSend Send;
        bool SendChecksLinkItself = false;
    };

    std::optional<double> Convert(const QString& text) const;
    // Steps 1.1 and 1.2 of the commit for this field; false after the message.
    bool Check(double& value);
    QString InvalidNumberMessage() const;
    QString BoundsMessage() const;
    void EnterKey();

    NumericFieldRules spec_;
    const UiContext& context_;
    FieldEdit* edit_;
    SpinButtons* spin_;
    std::shared_ptr<Group> group_;
};

} // namespace tarvel
