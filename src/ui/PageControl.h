#pragma once

#include <QTabWidget>

namespace tarvel {

// A page control whose hidden pages are out of reach. Qt keeps a hidden tab selectable:
// Ctrl+Tab, the tab bar's arrow keys and its mouse wheel skip disabled tabs only, and a hidden
// tab that becomes the current one draws part of its caption at the left end of the bar. So a
// hidden page's tab is disabled as well, and only the pages shown take part in the page order.
class PageControl : public QTabWidget {
    Q_OBJECT

public:
    explicit PageControl(QWidget* parent = nullptr);

    void SetPageShown(int index, bool shown);
};

} // namespace tarvel
