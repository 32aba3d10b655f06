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
// as its text, at most a little over half the bar; the message label keeps the rest of the
// line. It follows the bar's width (a window fitted to a small screen).
class ConnectionStatusLabel : public QLabel {
    Q_OBJECT

public:
    static constexpr int MaximumWidth = 520;
    static constexpr int MaximumPercentOfBar = 55;
    static constexpr int Indent = 3; // from the bar's right end, as the messages' left
    static constexpr int Gap = 12;   // between the messages and this part

    ConnectionStatusLabel(QWidget* statusBar, QLabel* messages);

    void Show(const LinkSummary& summary);
    // The whole text; what is shown may be shortened in the middle.
    const QString& FullText() const { return full_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    QPointer<QLabel> messages_;
    QString full_;
};

} // namespace tarvel
