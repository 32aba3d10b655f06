#include "ui/pages/SeamRemovalPage.h"

namespace tarvel {

SeamRemovalPage::SeamRemovalPage(const UiContext& context, QWidget* parent)
    : TabPage("SeamRemovalTabSheet", context, parent) {}

// The controls come with the page layout.
void SeamRemovalPage::FillSeamPage() {}
void SeamRemovalPage::SetChannelCount(int) {}

} // namespace tarvel
