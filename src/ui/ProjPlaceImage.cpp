#include "ui/ProjPlaceImage.h"

#include <QFontMetrics>
#include <QPainter>

namespace tarvel {

namespace {

const QColor Silver(192, 192, 192);

// Texts are placed by their top left corner, as the marks' positions give them.
void TextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

} // namespace

ProjPlaceImage::ProjPlaceImage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProjPlaceImage"));
    setFixedSize(PictureWidth, PictureHeight);
}

void ProjPlaceImage::SetRuler(const QString& sizeText, std::vector<RulerMark> marks) {
    sizeText_ = sizeText;
    marks_ = std::move(marks);
    update();
}

void ProjPlaceImage::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Silver);
    const int w = width();
    const int h = height();
    QPen pen(Qt::black, 0);
    painter.setPen(pen);
    painter.drawLine(5, RulerY, w - 10, RulerY);
    TextAt(painter, 3, 5, QStringLiteral("0"));
    TextAt(painter, w - 20, 5, sizeText_);
    for (const RulerMark& mark : marks_) {
        pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(mark.X, RulerY, mark.X, h);
        pen.setStyle(Qt::SolidLine);
        painter.setPen(pen);
        TextAt(painter, mark.X - 8, h - 15, QString::fromStdString(mark.Label));
        TextAt(painter, mark.X - 8, 5, QString::fromStdString(mark.PositionText));
    }
}

} // namespace tarvel
