#pragma once

#include <QLabel>
#include <QPointer>

namespace tarvel {

struct LinkSummary;

// The permanent part of the status bar, right of the one-line messages: the link's state at a
// glance (LinkSummary::Text), "Not connected" until a search or connect succeeds.
//
// Like the message label it is placed in the bar by hand, the bar's full height (its layout
// would leave a widget less than a line of the Noto and URW fonts), right-aligned and as wide
// as its text; the message label keeps the rest of the line.
class ConnectionStatusLabel : public QLabel {
    Q_OBJECT

public:
    static constexpr int MaximumWidth = 520; // the messages keep the rest of the line
    static constexpr int Indent = 3;         // from the bar's right end, as the messages' left
    static constexpr int Gap = 12;           // between the messages and this part

    ConnectionStatusLabel(QWidget* statusBar, QLabel* messages);

    void Show(const LinkSummary& summary);

private:
    void Place();

    QPointer<QLabel> messages_;
};

} // namespace tarvel
