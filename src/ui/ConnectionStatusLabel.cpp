#include "ui/ConnectionStatusLabel.h"

#include "device/LinkSummary.h"

#include <QEvent>

#include <algorithm>

namespace tarvel {

ConnectionStatusLabel::ConnectionStatusLabel(QWidget* statusBar, QLabel* messages)
    : QLabel(statusBar), messages_(messages), full_(LinkSummary::NotConnectedText) {
    setObjectName(QStringLiteral("ConnectionStatusLabel"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar->installEventFilter(this);
    Place();
}

void ConnectionStatusLabel::Show(const LinkSummary& summary) {
    full_ = summary.Text();
    Place();
}

bool ConnectionStatusLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) {
        Place();
    }
    return QLabel::eventFilter(watched, event);
}

void ConnectionStatusLabel::Place() {
    const QWidget* bar = parentWidget();
    const int room = std::min(MaximumWidth, bar->width() * MaximumPercentOfBar / 100);
    // A long device path is cut in the middle; the tip holds the whole text.
    setText(fontMetrics().elidedText(full_, Qt::ElideMiddle, room));
    setToolTip(full_);
    const int width = std::min(fontMetrics().horizontalAdvance(text()) + 2, room);
    const int left = bar->width() - Indent - width;
    setGeometry(left, 0, width, bar->height());
    if (messages_) {
        messages_->resize(std::max(0, left - Gap - messages_->x()), bar->height());
    }
}

} // namespace tarvel
