#include "ui/ProjPlaceImage.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace tarvel {

namespace {

const QColor Silver(192, 192, 192);
constexpr int TopTextY = 5;
constexpr int BottomTextRise = 15; // above the picture's bottom edge
constexpr int MarkTextShift = 8;   // left of the mark's line
constexpr int TextGap = 3;         // between two texts of a row

// Places one row of texts as near their wanted places as the picture allows: none crosses an
// edge, none covers another. Near the right end the last mark's position meets the size
// text, a long size text or a mark close to the edge would run off the picture, and a tall
// font would push the projector names off its bottom.
void LayOutRow(std::vector<ProjPlaceImage::DrawnText*>& row, const QSize& picture) {
    for (ProjPlaceImage::DrawnText* text : row) {
        text->Box.moveTop(std::min(text->Box.top(), picture.height() - text->Box.height()));
    }
    std::stable_sort(row.begin(), row.end(),
                     [](const auto* a, const auto* b) { return a->Box.left() < b->Box.left(); });
    int left = 0;
    for (ProjPlaceImage::DrawnText* text : row) {
        text->Box.moveLeft(std::max(text->Box.left(), left));
        left = text->Box.right() + 1 + TextGap;
    }
    int right = picture.width();
    for (auto it = row.rbegin(); it != row.rend(); ++it) {
        QRect& box = (*it)->Box;
        box.moveLeft(std::max(0, std::min(box.left(), right - box.width())));
        right = box.left() - TextGap;
    }
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
    std::vector<DrawnText*> top;
    std::vector<DrawnText*> bottom;
    for (DrawnText& text : texts) {
        (text.Box.top() == TopTextY ? top : bottom).push_back(&text);
    }
    LayOutRow(top, size());
    LayOutRow(bottom, size());
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
