#include "ui/KeyboardLengthLimit.h"

#include <QLineEdit>

namespace tarvel {

void KeyboardLengthLimit::Apply(QLineEdit* edit, int limit) {
    if (edit != nullptr && limit > 0) {
        edit->setValidator(new KeyboardLengthLimit(edit, limit));
    }
}

KeyboardLengthLimit::KeyboardLengthLimit(QLineEdit* edit, int limit)
    : QValidator(edit), edit_(edit), limit_(limit) {}

QValidator::State KeyboardLengthLimit::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    // setText clears the modified flag before the check, so a text that the program puts
    // there is always taken. A user's change may not grow the text past the limit; shortening
    // a longer one is fine.
    if (edit_->isModified() && input.size() > limit_ && input.size() > lastLength_) {
        return Invalid;
    }
    lastLength_ = input.size();
    return Acceptable;
}

} // namespace tarvel
