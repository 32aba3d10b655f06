#pragma once

class QMainWindow;
class QStatusBar;

namespace tarvel {

// Keeps the fixed-size main window usable on a screen whose available area is smaller than it
// (a small screen, or a large scale factor): the window is made as large as the area allows
// and placed wholly within it, its menu bar on top and its status line at the bottom, and its
// pages scroll inside (the scroll area "PageScrollArea" follows the keyboard focus). On a
// screen that holds the window nothing changes.
class ScreenFit {
public:
    // At the window's first showing. True when the window had to be fitted.
    static bool Fit(QMainWindow& window, QStatusBar& status);
};

} // namespace tarvel
