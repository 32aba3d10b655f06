#include "ui/PlainLineList.h"

#include <QFontMetrics>

#include <algorithm>

namespace tarvel {

namespace {

constexpr int ItemMargin = 4; // the item's own padding, left and right together

int WidestLine(const QFont& font, const QStringList& lines) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

} // namespace

PlainLineList::PlainLineList(QWidget* parent, const char* name, const QRect& geometry,
                             const QStringList& lines, int fontPixels)
    : QListWidget(parent) {
    setObjectName(QString::fromLatin1(name));
    setGeometry(geometry);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    QPalette background = palette();
    background.setColor(QPalette::Base, background.color(QPalette::Window));
    setPalette(background);
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(line, this);
        item->setFlags(Qt::ItemIsEnabled);
    }
    QFont lineFont = font();
    lineFont.setPixelSize(fontPixels);
    setFont(lineFont);
    // Tall fonts (Noto, URW) cut the last line sooner than a long line runs out of width.
    const auto fits = [&] {
        return WidestLine(lineFont, lines) + ItemMargin <= geometry.width() &&
               count() * sizeHintForRow(0) <= geometry.height();
    };
    while (lineFont.pixelSize() > SmallestFontPixels && !fits()) {
        lineFont.setPixelSize(lineFont.pixelSize() - 1);
        setFont(lineFont);
    }
}

} // namespace tarvel
