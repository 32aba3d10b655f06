#pragma once

#include "ui/pages/TabPage.h"

namespace tarvel {

// Input position, phase and colour balance of one channel.
class SourceSetupPage : public TabPage {
    Q_OBJECT

public:
    explicit SourceSetupPage(const UiContext& context, QWidget* parent = nullptr);
};

} // namespace tarvel
