#pragma once

#include "ui/pages/TabPage.h"

namespace tarvel {

// Test patterns for all channels at once.
class ProjectorSetupPage : public TabPage {
    Q_OBJECT

public:
    explicit ProjectorSetupPage(const UiContext& context, QWidget* parent = nullptr);
};

} // namespace tarvel
