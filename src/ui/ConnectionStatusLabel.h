#pragma once

#include <QLabel>

namespace tarvel {

struct LinkSummary;

// The permanent part of the status bar, right of the one-line messages: the link's state at a
// glance (LinkSummary::Text), "Not connected" until a search or connect succeeds.
class ConnectionStatusLabel : public QLabel {
    Q_OBJECT

public:
    static constexpr int MaximumWidth = 520; // the messages keep the rest of the line

    explicit ConnectionStatusLabel(QWidget* parent = nullptr);

    void Show(const LinkSummary& summary);
};

} // namespace tarvel
