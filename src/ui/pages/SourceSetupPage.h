#pragma once

#include "ui/pages/TabPage.h"

namespace tarvel {

// Input position, phase and colour balance of one channel.
class SourceSetupPage : public TabPage {
    Q_OBJECT

public:
    explicit SourceSetupPage(const UiContext& context, QWidget* parent = nullptr);

    // The page from the model for the selected channel (callers hold UpdatingControls).
    void FillSourcePage();
    // The projector count changed: the Channel Select lists "1".."count", first one selected.
    void SetChannelCount(int count);
};

} // namespace tarvel
