#include "ui/pages/InformationPage.h"

namespace tarvel {

InformationPage::InformationPage(const UiContext& context, QWidget* parent)
    : TabPage("InfoTabSheet", context, parent) {}

// The baud and screen lists come with the page's controls.
void InformationPage::SelectStartupEntries() {}

} // namespace tarvel
