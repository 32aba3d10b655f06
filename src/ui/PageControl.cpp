#include "ui/PageControl.h"

namespace tarvel {

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {}

void PageControl::SetPageShown(int index, bool shown) {
    // Hidden first, so a current page that goes hands over to a neighbour that stays.
    if (shown) {
        setTabEnabled(index, true);
        setTabVisible(index, true);
    } else {
        setTabVisible(index, false);
        setTabEnabled(index, false);
    }
}

} // namespace tarvel
