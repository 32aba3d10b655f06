#pragma once

#include "ui/pages/TabPage.h"

namespace tarvel {

class FieldEdit;
class SpinButtons;

// Edge feathering, black level, halo, data doubling and the unit-wide output settings of all
// eight channels. For now it holds the overlap field that Tarvel.ini keeps.
class DisplaySetupPage : public TabPage {
    Q_OBJECT

public:
    explicit DisplaySetupPage(const UiContext& context, QWidget* parent = nullptr);

    // OWidthEdit, "Overlap Width" of the "Data Doubling" group, with its arrows OWidthUpDown.
    QString OverlapText() const;
    void SetOverlapText(const QString& text);
    FieldEdit* OverlapEdit() const { return overlapEdit_; }
    SpinButtons* OverlapUpDown() const { return overlapUpDown_; }

    // Where Enter in OWidthEdit moves the focus: the first channel's test pattern list of the
    // visible sub-page (channel 1 or channel 5); null while there is none.
    QWidget* FirstTestPatternList() const;

    // The first successful Calculate: the sub-pages, and the basic edge-feathering check box
    // and gamma field, become usable.
    void EnableCalculatedControls();

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

signals:
    // OWidthEdit was left / its arrows (OWidthUpDown) were clicked: the planning calculator
    // handles the overlap field.
    void OverlapLeft();
    void OverlapStepped(bool up);
    void OverlapEnterPressed();

private:
    FieldEdit* overlapEdit_;
    SpinButtons* overlapUpDown_;
};

} // namespace tarvel
