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
    QFont lineFont = font();
    lineFont.setPixelSize(fontPixels);
    while (lineFont.pixelSize() > SmallestFontPixels &&
           WidestLine(lineFont, lines) + ItemMargin > geometry.width()) {
        lineFont.setPixelSize(lineFont.pixelSize() - 1);
    }
    setFont(lineFont);
    QPalette background = palette();
    background.setColor(QPalette::Base, background.color(QPalette::Window));
    setPalette(background);
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(line, this);
        item->setFlags(Qt::ItemIsEnabled);
    }
}

} // namespace tarvel
