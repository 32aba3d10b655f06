#include "ui/pages/SeamRemovalPage.h"

namespace tarvel {

SeamRemovalPage::SeamRemovalPage(const UiContext& context, QWidget* parent)
    : TabPage("SeamRemovalTabSheet", context, parent) {}

} // namespace tarvel
