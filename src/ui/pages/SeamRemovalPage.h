#pragma once

#include "ui/pages/TabPage.h"

namespace tarvel {

// Seam gains, automatic seam gain and seam bridging per channel.
class SeamRemovalPage : public TabPage {
    Q_OBJECT

public:
    explicit SeamRemovalPage(const UiContext& context, QWidget* parent = nullptr);

    // The page from the model for the selected channel (callers hold UpdatingControls).
    void FillSeamPage();
    // The projector count changed: the Channel Select lists "1".."count", first one selected.
    void SetChannelCount(int count);
};

} // namespace tarvel
