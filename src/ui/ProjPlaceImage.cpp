#include "ui/ProjPlaceImage.h"

#include <QFontMetrics>
#include <QPainter>

namespace tarvel {

namespace {

const QColor Silver(192, 192, 192);
constexpr int TopTextY = 5;
constexpr int BottomTextRise = 15; // above the picture's bottom edge
constexpr int MarkTextShift = 8;   // left of the mark's line

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

std::vector<ProjPlaceImage::DrawnText> ProjPlaceImage::Texts() const {
    const QFontMetrics metrics = fontMetrics();
    // Texts are placed by their top left corner, as the marks' positions give them.
    const auto at = [&](int x, int y, const QString& text) {
        return DrawnText{text, QRect(x, y, metrics.horizontalAdvance(text), metrics.height())};
    };
    std::vector<DrawnText> texts{at(3, TopTextY, QStringLiteral("0")),
                                 at(width() - 20, TopTextY, sizeText_)};
    for (const RulerMark& mark : marks_) {
        texts.push_back(at(mark.X - MarkTextShift, height() - BottomTextRise,
                           QString::fromStdString(mark.Label)));
        texts.push_back(
            at(mark.X - MarkTextShift, TopTextY, QString::fromStdString(mark.PositionText)));
    }
    return texts;
}

void ProjPlaceImage::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Silver);
    const int w = width();
    const int h = height();
    QPen pen(Qt::black, 0);
    painter.setPen(pen);
    painter.drawLine(5, RulerY, w - 10, RulerY);
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    for (const RulerMark& mark : marks_) {
        painter.drawLine(mark.X, RulerY, mark.X, h);
    }
    pen.setStyle(Qt::SolidLine);
    painter.setPen(pen);
    const int ascent = painter.fontMetrics().ascent();
    for (const DrawnText& text : Texts()) {
        painter.drawText(QPoint(text.Box.left(), text.Box.top() + ascent), text.Text);
    }
}

} // namespace tarvel
