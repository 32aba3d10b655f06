#include "ui/pages/SourceSetupPage.h"

namespace tarvel {

SourceSetupPage::SourceSetupPage(const UiContext& context, QWidget* parent)
    : TabPage("SourceSetupTabSheet", context, parent) {}

} // namespace tarvel
