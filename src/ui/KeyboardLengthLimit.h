#pragma once

#include <QValidator>

class QLineEdit;

namespace tarvel {

// The most characters a user may type into an edit. Unlike QLineEdit::setMaxLength it never
// cuts a text that the program puts there (a value read from the units may be longer), and a
// text already longer than the limit can still be shortened.
class KeyboardLengthLimit : public QValidator {
    Q_OBJECT

public:
    // Installs itself on the edit; a limit of 0 or less installs nothing.
    static void Apply(QLineEdit* edit, int limit);

    KeyboardLengthLimit(QLineEdit* edit, int limit);

    State validate(QString& input, int& pos) const override;

    int Limit() const { return limit_; }

private:
    QLineEdit* edit_;
    int limit_;
    mutable qsizetype lastLength_ = 0; // length of the last text taken
};

} // namespace tarvel
