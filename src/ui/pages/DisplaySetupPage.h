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

    // The page from the model (callers hold UpdatingControls), and its parts that other
    // pages refill alone.
    void FillDisplayPage();
    void FillTestPattern(int channel);
    void FillBlackLevel(int channel);
    void FillBasicFeather();
    void FillOverlap();

    // The projector count changed: channel groups 1..count, right edges of 2..count-1, the
    // second sub-page from 5 on, and the groups that need more than one projector.
    void ShowChannels(int count);

    // The service view's controls on this page.
    void SetServiceView(bool on);

    // The seam bridge twins. The Seam Removal page copies its Enable box and threshold here;
    // neither runs a handler.
    void SetSeamBridgeTwin(bool checked);
    void SetBridgeThresholdTwinText(const QString& text);

signals:
    // OWidthEdit was left / its arrows (OWidthUpDown) were clicked: the planning calculator
    // handles the overlap field.
    void OverlapLeft();
    void OverlapStepped(bool up);
    void OverlapEnterPressed();

    // The user clicked DisplaySetupSeamBridgeAllConfigCheckBox: the Seam Removal page's Enable
    // box takes the state and runs its handler.
    void SeamBridgeTwinClicked(bool checked);
    // DisplaySetupBridgeThresholdEdit was left or stepped: the text goes into
    // BridgeThresholdEdit, which is committed.
    void BridgeThresholdTwinCommitted(const QString& text);

private:
    FieldEdit* overlapEdit_;
};

} // namespace tarvel
