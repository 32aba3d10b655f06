#include "ui/ApplicationIcon.h"

#include <QPainter>
#include <QPixmap>

namespace tarvel {

namespace {

QPixmap Paint(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2b, 0x2f, 0x36));
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 16, 16);
    // Three overlapping projector images in the first three legend colours.
    const QColor colours[] = {QColor(255, 255, 0, 217), QColor(255, 0, 0, 153),
                              QColor(0, 0, 255, 153)};
    for (int k = 0; k < 3; ++k) {
        p.setBrush(colours[k]);
        p.drawRect(QRectF(14 + 27 * k, 38, 46, 40));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(192, 192, 192), 3));
    p.drawRect(QRectF(14, 38, 100, 40));
    p.setPen(QPen(QColor(192, 192, 192), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 98), QPointF(106, 98));
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 3; ++k) {
        p.setBrush(QColor(colours[k].red(), colours[k].green(), colours[k].blue()));
        p.drawEllipse(QPointF(37 + 27 * k, 98), 5, 5);
    }
    return pixmap;
}

} // namespace

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(Paint(size));
    return icon;
}

} // namespace tarvel
