#include "ui/ConnectionStatusLabel.h"

#include "device/LinkSummary.h"

namespace tarvel {

ConnectionStatusLabel::ConnectionStatusLabel(QWidget* parent)
    : QLabel(LinkSummary::NotConnectedText, parent) {
    setObjectName(QStringLiteral("ConnectionStatusLabel"));
    setTextFormat(Qt::PlainText);
    setMaximumWidth(MaximumWidth);
    setToolTip(text());
}

void ConnectionStatusLabel::Show(const LinkSummary& summary) {
    const QString full = summary.Text();
    // A long device path is cut in the middle; the tip holds it whole.
    setText(fontMetrics().elidedText(full, Qt::ElideMiddle, MaximumWidth - 8));
    setToolTip(full);
}

} // namespace tarvel
