#pragma once

#include "ui/pages/TabPage.h"

namespace tarvel {

// The terminal, the "RS-232" group, the reset and system save buttons and the service view's
// hidden panels.
class InformationPage : public TabPage {
    Q_OBJECT

public:
    explicit InformationPage(const UiContext& context, QWidget* parent = nullptr);

    // The first showing: "38400" in the baud list and "Screen 1" in the screen list.
    void SelectStartupEntries();
};

} // namespace tarvel
