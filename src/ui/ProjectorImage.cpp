#include "ui/ProjectorImage.h"

#include <QPainter>

namespace tarvel {

namespace {

const QColor Silver(192, 192, 192);

} // namespace

ProjectorImage::ProjectorImage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProjectorImage"));
    setFixedSize(PictureWidth, PictureHeight);
}

void ProjectorImage::SetBoxes(std::vector<Box> boxes) {
    boxes_ = std::move(boxes);
    update();
}

void ProjectorImage::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Silver);
    painter.setBrush(Qt::NoBrush);
    for (const Box& box : boxes_) {
        painter.setPen(QPen(box.Colour, 0)); // cosmetic: one pixel
        // The frame covers left..right-1 and top..bottom-1: the right and bottom edges of a
        // stored rectangle lie just outside it.
        painter.drawRect(box.Rect.Left, box.Rect.Top, box.Rect.Right - box.Rect.Left - 1,
                         box.Rect.Bottom - box.Rect.Top - 1);
    }
}

} // namespace tarvel
