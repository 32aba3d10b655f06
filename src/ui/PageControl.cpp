#include "ui/PageControl.h"

#include <QTabBar>

namespace tarvel {

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {}

void PageControl::SetPageShown(int index, bool shown) {
    // The tab only: the page's controls keep their own enabled states for when it shows.
    // Hidden first, so a current page that goes hands over to a neighbour that stays.
    if (shown) {
        tabBar()->setTabEnabled(index, true);
        setTabVisible(index, true);
    } else {
        setTabVisible(index, false);
        tabBar()->setTabEnabled(index, false);
    }
}

} // namespace tarvel
