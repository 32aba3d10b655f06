#include "ui/pages/ProjectorSetupPage.h"

namespace tarvel {

ProjectorSetupPage::ProjectorSetupPage(const UiContext& context, QWidget* parent)
    : TabPage("ProjAlignTabSheet", context, parent) {}

} // namespace tarvel
