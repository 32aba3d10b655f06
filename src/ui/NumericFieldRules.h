#pragma once

#include <QString>

#include <concepts>
#include <functional>
#include <optional>
#include <span>
#include <utility>

class QWidget;

namespace tarvel {

enum class NumericKind {
    Integer, // decimal integer, steps of 1
    Real,    // decimal real shown with one decimal, steps of 0.1
};

// What a step reports when the text is not a number.
enum class StepConversionReport {
    Standard,   // "'abc' is not a valid integer value" / "... floating point value"
    OwnMessage, // the field's invalid-number message, and the focus to the edit
};

// An inclusive bound: a constant, or a limit read at the moment of each check.
class NumericBound {
public:
    NumericBound(double value = 0) : value_(value) {}
    template <typename F>
    requires std::invocable<F&> && std::convertible_to < std::invoke_result_t<F&>,
    double > NumericBound(F live) : live_(std::move(live)) {}

    double Value() const { return live_ ? live_() : value_; }

private:
    double value_ = 0;
    std::function<double()> live_;
};

// The values of a commit group in group order (width before offset), integers as whole
// doubles.
using NumericSend = std::function<void(std::span<const double> values)>;

// One row of a page's field table: everything that differs between NumericFields.
struct NumericFieldRules {
    QString Stem{}; // objectNames Stem + "Edit" and Stem + "UpDown"
    NumericKind Kind = NumericKind::Integer;
    NumericBound Lower{};
    NumericBound Upper{};
    QString RangeText{}; // "(0 - 255)"; shown only where the bounds message takes it
    int MaxLength = 0;   // characters the user may type; 0 = no limit
    QString DefaultText = QStringLiteral("0");

    // Out of bounds: BoundsMessage, followed by RangeText when BoundsMessageWithRange. Where
    // the text depends on live values (position limits), LiveBoundsMessage makes it instead.
    QString BoundsMessage{};
    bool BoundsMessageWithRange = false;
    std::function<QString()> LiveBoundsMessage{};
    // Not a number: "Error! '" + the text + InvalidNumberEnding ("' is not a valid Black
    // Level.").
    QString InvalidNumberEnding{};
    // After a bounds message: puts the model's value(s) back (the field's own value or the
    // whole page). Empty: the rejected text stays.
    std::function<void()> Restore{};

    StepConversionReport StepReport = StepConversionReport::Standard;
    // What a step reads an empty text as (a threshold that starts from 16); empty: an empty
    // text is not a number.
    std::optional<double> EmptyStepValue{};
    // An empty text commits nothing and shows nothing.
    bool EmptyCommitsNothing = false;

    // The send of a field that commits alone (a pair takes its send from MakePair): it stores
    // the values, and sends them while the link is up. It runs only while MayCommit() holds,
    // unless SendChecksLinkItself says the operation looks after that on its own (it is then
    // called whatever UpdatingControls says).
    NumericSend Send{};
    bool SendChecksLinkItself = false;
    // Replaces the whole commit (a twin field that hands its text to the real one).
    std::function<void()> CommitInstead{};

    // Where Enter moves the focus; may depend on what is visible. Empty or null: nowhere.
    std::function<QWidget*()> EnterTarget{};
};

} // namespace tarvel
