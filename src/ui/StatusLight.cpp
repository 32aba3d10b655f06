#include "ui/StatusLight.h"

#include <QPainter>
#include <QTimer>

namespace tarvel {

namespace {

const QColor LitColour(0, 220, 0);
const QColor DarkColour(60, 60, 60);
constexpr int Gap = 4;

} // namespace

StatusLight::StatusLight(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption), blinkTimer_(new QTimer(this)) {
    setObjectName(caption + QStringLiteral("Light"));
    setToolTip(caption);
    blinkTimer_->setSingleShot(true);
    blinkTimer_->setInterval(BlinkMs);
    connect(blinkTimer_, &QTimer::timeout, this, [this] { SetLit(false); });
}

void StatusLight::SetLit(bool lit) {
    if (!lit) {
        blinkTimer_->stop();
    }
    if (lit != lit_) {
        lit_ = lit;
        update();
    }
}

void StatusLight::Blink() {
    SetLit(true);
    blinkTimer_->start();
}

QSize StatusLight::sizeHint() const {
    return {LampSize + Gap + fontMetrics().horizontalAdvance(caption_),
            qMax(LampSize, fontMetrics().height())};
}

void StatusLight::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int top = (height() - LampSize) / 2;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(lit_ ? LitColour : DarkColour);
    painter.drawEllipse(QRectF(0.5, top + 0.5, LampSize - 1, LampSize - 1));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(LampSize + Gap, 0, width() - LampSize - Gap, height()),
                     Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

} // namespace tarvel
