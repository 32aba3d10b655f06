#pragma once

#include "ui/pages/TabPage.h"

namespace tarvel {

// Seam gains, automatic seam gain and seam bridging per channel.
class SeamRemovalPage : public TabPage {
    Q_OBJECT

public:
    explicit SeamRemovalPage(const UiContext& context, QWidget* parent = nullptr);
};

} // namespace tarvel
