#pragma once

#include <QWidget>

class QToolButton;

namespace tarvel {

// The up/down arrow pair beside a numeric edit. The arrows repeat while held and never take
// the keyboard focus, so clicking one leaves the edit's focus where it was; the step itself
// commits the field.
class SpinButtons : public QWidget {
    Q_OBJECT

public:
    static constexpr int Width = 16;

    explicit SpinButtons(QWidget* parent = nullptr);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    // One click or one auto-repeat tick.
    void Stepped(bool up);

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace tarvel
