#include "ui/NumericField.h"

#include "config/NumberFormat.h"
#include "ui/BusyGuard.h"
#include "ui/FieldEdit.h"
#include "ui/KeyboardLengthLimit.h"
#include "ui/SpinButtons.h"

#include <cmath>

namespace tarvel {

namespace {

constexpr double IntegerStep = 1.0;
constexpr double RealStep = 0.1;

} // namespace

NumericField::NumericField(NumericFieldRules spec, const UiContext& context, QWidget* parent)
    : QObject(parent), spec_(std::move(spec)), context_(context), edit_(new FieldEdit(parent)),
      spin_(new SpinButtons(parent)), group_(std::make_shared<Group>()) {
    edit_->setObjectName(spec_.Stem + QStringLiteral("Edit"));
    spin_->setObjectName(spec_.Stem + QStringLiteral("UpDown"));
    edit_->setText(spec_.DefaultText);
    KeyboardLengthLimit::Apply(edit_, spec_.MaxLength);

    group_->Fields.push_back(this);
    group_->Send = spec_.Send;
    group_->SendChecksLinkItself = spec_.SendChecksLinkItself;

    connect(edit_, &FieldEdit::Left, this, &NumericField::CommitField);
    connect(edit_, &FieldEdit::EnterPressed, this, &NumericField::EnterKey);
    connect(spin_, &SpinButtons::Stepped, this, &NumericField::StepField);
}

NumericField::~NumericField() = default;

void NumericField::MakePair(NumericField& first, NumericField& second, NumericSend send) {
    auto group = std::make_shared<Group>();
    group->Fields = {&first, &second};
    group->Send = std::move(send);
    group->SendChecksLinkItself =
        first.spec_.SendChecksLinkItself || second.spec_.SendChecksLinkItself;
    first.group_ = group;
    second.group_ = group;
}

void NumericField::Place(int x, int y, int editWidth, int height) {
    edit_->setGeometry(x, y, editWidth, height);
    spin_->setGeometry(x + editWidth, y, SpinButtons::Width, height);
}

void NumericField::SetVisible(bool visible) {
    edit_->setVisible(visible);
    spin_->setVisible(visible);
}

void NumericField::SetEnabled(bool enabled) {
    edit_->setEnabled(enabled);
    spin_->setEnabled(enabled);
}

QString NumericField::Text() const {
    return edit_->text();
}

void NumericField::SetText(const QString& text) {
    edit_->setText(text);
}

QString NumericField::FormatValue(double value) const {
    if (spec_.Kind == NumericKind::Integer) {
        return QString::number(static_cast<qlonglong>(std::llround(value)));
    }
    QString text = QString::number(value, 'f', 1); // C locale: always a point
    // A step that lands a hair below zero would otherwise read "-0.0".
    if (text == QLatin1String("-0.0")) {
        text = QStringLiteral("0.0");
    }
    return text;
}

std::optional<double> NumericField::Convert(const QString& text) const {
    const std::string bytes = text.toStdString();
    if (spec_.Kind == NumericKind::Integer) {
        if (const auto value = ParseInt(bytes)) {
            return static_cast<double>(*value);
        }
        return std::nullopt;
    }
    return ParseDouble(bytes);
}

std::optional<double> NumericField::Value() const {
    return Convert(edit_->text());
}

QString NumericField::InvalidNumberMessage() const {
    return QStringLiteral("Error! '") + edit_->text() + spec_.InvalidNumberEnding;
}

QString NumericField::BoundsMessage() const {
    if (spec_.LiveBoundsMessage) {
        return spec_.LiveBoundsMessage();
    }
    return spec_.BoundsMessageWithRange ? spec_.BoundsMessage + spec_.RangeText
                                        : spec_.BoundsMessage;
}

bool NumericField::Check(double& value) {
    QPointer<NumericField> self(this);
    const auto converted = Value();
    if (!converted) {
        context_.ShowMessage(InvalidNumberMessage());
        if (self) {
            edit_->TakeFocusBack();
        }
        return false;
    }
    if (*converted < spec_.Lower.Value() || *converted > spec_.Upper.Value()) {
        context_.ShowMessage(BoundsMessage());
        if (self && spec_.Restore) {
            spec_.Restore();
        }
        if (self) {
            edit_->TakeFocusBack();
        }
        return false;
    }
    value = *converted;
    return true;
}

bool NumericField::CommitField() {
    if (spec_.CommitInstead) {
        spec_.CommitInstead();
        return true;
    }
    // The group may outlive a field only while the page is being torn down.
    const std::shared_ptr<Group> group = group_;
    std::vector<double> values;
    for (const QPointer<NumericField>& field : group->Fields) {
        if (field.isNull()) {
            return false;
        }
        if (field->spec_.EmptyCommitsNothing && field->edit_->text().isEmpty()) {
            return false;
        }
        double value = 0;
        if (!field->Check(value)) {
            return false;
        }
        values.push_back(value);
    }
    if (!group->Send || (!group->SendChecksLinkItself && !context_.MayCommit())) {
        return true;
    }
    group->Send(values);
    return true;
}

void NumericField::StepField(bool up) {
    BusyGuard busy(context_.State);
    if (!busy) {
        return;
    }
    const QString text = edit_->text();
    std::optional<double> value;
    if (text.isEmpty() && spec_.EmptyStepValue) {
        value = spec_.EmptyStepValue;
    } else {
        value = Convert(text);
    }
    if (!value) {
        if (spec_.StepReport == StepConversionReport::OwnMessage) {
            QPointer<NumericField> self(this);
            context_.ShowMessage(InvalidNumberMessage());
            if (self) {
                edit_->TakeFocusBack();
            }
        } else {
            const QString form = spec_.Kind == NumericKind::Integer
                                     ? QStringLiteral("'%1' is not a valid integer value")
                                     : QStringLiteral("'%1' is not a valid floating point value");
            context_.ShowMessage(form.arg(text));
        }
        return;
    }
    const double step = spec_.Kind == NumericKind::Integer ? IntegerStep : RealStep;
    const double lower = spec_.Lower.Value();
    const double upper = spec_.Upper.Value();
    double next = 0;
    if (up && lower <= *value && *value < upper) {
        next = *value + step;
    } else if (!up && lower < *value && *value <= upper) {
        next = *value - step;
    } else {
        return;
    }
    edit_->setText(FormatValue(next));
    CommitField();
}

void NumericField::EnterKey() {
    if (!spec_.EnterTarget) {
        return;
    }
    if (QWidget* target = spec_.EnterTarget()) {
        target->setFocus(Qt::TabFocusReason);
    }
}

} // namespace tarvel
