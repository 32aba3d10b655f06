#include "ui/ReportMemo.h"

#include <QFontInfo>
#include <QTextLayout>

#include <cmath>

namespace tarvel {

ReportMemo::ReportMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void ReportMemo::SetLines(const QStringList& lines) {
    // From the page's font down; the memo's own may be smaller from an earlier report.
    QFont font = parentWidget() != nullptr ? parentWidget()->font() : this->font();
    font.setPixelSize(QFontInfo(font).pixelSize());
    while (font.pixelSize() > SmallestFontPixels && !Fits(font, lines)) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    setFont(font);
    setPlainText(lines.join(QLatin1Char('\n')));
}

// Lays the lines out as the memo does: wrapped to the viewport less the document's margins,
// one line's height after another, the margins above and below.
bool ReportMemo::Fits(const QFont& font, const QStringList& lines) const {
    const qreal margin = document()->documentMargin();
    const qreal lineWidth = width() - 2 * frameWidth() - 2 * margin;
    const qreal room = height() - 2 * frameWidth() - 2 * margin - 1;
    QTextOption option;
    option.setWrapMode(wordWrapMode());
    qreal used = 0;
    for (const QString& line : lines) {
        QTextLayout layout(line, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(lineWidth);
            used += std::ceil(row.height());
        }
        layout.endLayout();
    }
    return used <= room;
}

} // namespace tarvel
