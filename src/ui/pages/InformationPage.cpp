#include "ui/pages/InformationPage.h"

#include "ui/TTarvelForm.h"
#include "ui/pages/DisplaySetupPage.h"

#include <QPushButton>

namespace tarvel {

InformationPage::InformationPage(const UiContext& context, QWidget* parent)
    : TabPage("InfoTabSheet", context, parent) {
    // The unit operations are the Display Setup page's; provisional places until the page
    // layout is built.
    const struct {
        const char* Name;
        const char* Caption;
        int X;
        void (DisplaySetupPage::*Click)();
    } buttons[] = {
        {"ResetButton", "Reset Zelvar(s)", 16, &DisplaySetupPage::ResetButtonClick},
        {"SystemSaveButton", "System Save Zelvar(s)", 176,
         &DisplaySetupPage::SystemSaveButtonClick},
    };
    for (const auto& button : buttons) {
        auto* push = new QPushButton(QString::fromLatin1(button.Caption), this);
        push->setObjectName(QString::fromLatin1(button.Name));
        push->setGeometry(button.X, 330, 150, 25);
        connect(push, &QPushButton::clicked, this, [this, click = button.Click] {
            if (TTarvelForm* form = Context().Form) {
                (form->DisplaySetup().*click)();
            }
        });
    }
}

// The baud and screen lists come with the page's controls.
void InformationPage::SelectStartupEntries() {}

} // namespace tarvel
