#pragma once

#include "ui/pages/TabPage.h"

namespace tarvel {

class FieldEdit;

// Edge feathering, black level, halo, data doubling and the unit-wide output settings of all
// eight channels. For now it holds the overlap field that Tarvel.ini keeps.
class DisplaySetupPage : public TabPage {
    Q_OBJECT

public:
    explicit DisplaySetupPage(const UiContext& context, QWidget* parent = nullptr);

    // OWidthEdit, "Overlap Width" of the "Data Doubling" group.
    QString OverlapText() const;
    void SetOverlapText(const QString& text);

    // Shows the basic or the advanced edge-feathering controls as AdvanceModeCheckBox says.
    void ApplyEdgeFeatheringMode();

private:
    FieldEdit* overlapEdit_;
};

} // namespace tarvel
