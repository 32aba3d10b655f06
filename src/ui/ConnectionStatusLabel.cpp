#include "ui/ConnectionStatusLabel.h"

#include "device/LinkSummary.h"

#include <algorithm>

namespace tarvel {

ConnectionStatusLabel::ConnectionStatusLabel(QWidget* statusBar, QLabel* messages)
    : QLabel(LinkSummary::NotConnectedText, statusBar), messages_(messages) {
    setObjectName(QStringLiteral("ConnectionStatusLabel"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setToolTip(text());
    Place();
}

void ConnectionStatusLabel::Show(const LinkSummary& summary) {
    const QString full = summary.Text();
    // A long device path is cut in the middle; the tip holds it whole.
    setText(fontMetrics().elidedText(full, Qt::ElideMiddle, MaximumWidth));
    setToolTip(full);
    Place();
}

void ConnectionStatusLabel::Place() {
    const QWidget* bar = parentWidget();
    const int width = std::min(fontMetrics().horizontalAdvance(text()) + 2, MaximumWidth);
    const int left = bar->width() - Indent - width;
    setGeometry(left, 0, width, bar->height());
    if (messages_) {
        messages_->resize(std::max(0, left - Gap - messages_->x()), bar->height());
    }
}

} // namespace tarvel
