#pragma once

#include <QPlainTextEdit>
#include <QStringList>

namespace tarvel {

// The Planning page's report (ImageContentMemo): read-only lines that wrap at word boundaries,
// in the largest font from the page's own down with which the whole report shows without
// scrolling. Its "Head Graphic Source" lines are wider than the memo in every common font set,
// and eight projectors make eight lines.
class ReportMemo : public QPlainTextEdit {
    Q_OBJECT

public:
    static constexpr int SmallestFontPixels = 8;

    explicit ReportMemo(QWidget* parent = nullptr);

    void SetLines(const QStringList& lines);

private:
    bool Fits(const QFont& font, const QStringList& lines) const;
};

} // namespace tarvel
