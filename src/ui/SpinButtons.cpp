#include "ui/SpinButtons.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace tarvel {

namespace {

constexpr int RepeatDelayMs = 400;
constexpr int RepeatIntervalMs = 100;

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, const char* name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(RepeatDelayMs);
    button->setAutoRepeatInterval(RepeatIntervalMs);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

} // namespace

SpinButtons::SpinButtons(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(this, Qt::UpArrow, "Up")),
      down_(MakeArrow(this, Qt::DownArrow, "Down")) {
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { emit Stepped(true); });
    connect(down_, &QToolButton::clicked, this, [this] { emit Stepped(false); });
}

} // namespace tarvel
