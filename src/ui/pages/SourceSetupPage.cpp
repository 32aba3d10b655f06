#include "ui/pages/SourceSetupPage.h"

namespace tarvel {

SourceSetupPage::SourceSetupPage(const UiContext& context, QWidget* parent)
    : TabPage("SourceSetupTabSheet", context, parent) {}

// The controls come with the page layout.
void SourceSetupPage::FillSourcePage() {}
void SourceSetupPage::SetChannelCount(int) {}

} // namespace tarvel
