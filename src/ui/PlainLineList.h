#pragma once

#include <QListWidget>
#include <QStringList>

namespace tarvel {

// Plain text lines on the window's background: a borderless list with nothing to select,
// focus or scroll. The font is the given pixel size, or smaller where a line would not fit the
// width or the lines the height otherwise, so no line is cut whatever fonts the desktop has.
class PlainLineList : public QListWidget {
    Q_OBJECT

public:
    static constexpr int SmallestFontPixels = 8;

    PlainLineList(QWidget* parent, const char* name, const QRect& geometry,
                  const QStringList& lines, int fontPixels);
};

} // namespace tarvel
