#pragma once

#include "protocol/Command.h"
#include "ui/pages/TabPage.h"
#include "ui/pages/UnitSends.h"

#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;

namespace tarvel {

class ChannelGroup;
class FieldEdit;
class NumericField;
class PageControl;
class SpinButtons;

// The output side of every channel: edge feathering, black level and halo removal of the eight
// channel groups on two sub-pages, and the unit-wide settings (basic or advanced feathering,
// basic gamma, feather curve, data doubling, system save) in the right-hand column. It also
// serves the Information page's "Reset Zelvar(s)" and "System Save Zelvar(s)" buttons.
//
// Unit-wide settings always go to both units in use with the same value.
class DisplaySetupPage : public TabPage {
    Q_OBJECT

public:
    explicit DisplaySetupPage(const UiContext& context, QWidget* parent = nullptr);
    ~DisplaySetupPage() override;

    // OWidthEdit, "Overlap Width" of the "Data Doubling" group, with its arrows OWidthUpDown.
    QString OverlapText() const;
    void SetOverlapText(const QString& text);
    FieldEdit* OverlapEdit() const { return overlapEdit_; }
    SpinButtons* OverlapUpDown() const { return overlapArrows_; }
    // MaxOverlap, kept with the overlap arrows OWidthUpDown: the planning calculator sets it,
    // the gamma width fields read it at each check.
    void SetMaxOverlap(int maxOverlap);
    int MaxOverlap() const { return maxOverlap_; }

    // Shows the basic or the advanced edge-feathering controls as AdvanceModeCheckBox says.
    void ApplyEdgeFeatheringMode();

    // The page from the model, and its parts that other pages refill alone. Each holds
    // UpdatingControls itself, so nothing it changes is sent.
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

    // The first calculation: the sub-pages, the basic enable box and gamma become usable.
    void EnableCalculatedControls();

    // The test pattern list of the first channel on the visible sub-page (channel 1 or 5).
    QWidget* FirstTestPatternList() const;

    // The whole-configuration send: the command each setting's controls describe as they
    // stand (screen 1..8; the unit-wide ones as this page shows them for every unit). A value
    // that is not usable shows nothing: the caller stops with its own message.
    ControlCommand TestPatternFromControls(int screen) const;
    ControlCommand BlackLevelFromControls(int screen) const;
    ControlCommand HaloFromControls(int screen, EdgeSide side) const;
    ControlCommand EdgeFeatherFromControls(int screen, EdgeSide side) const;
    ControlCommand DataDoublingFromControls() const;
    ControlCommand BasicFeatheringFromControls() const;
    ControlCommand ControlModeFromControls() const;

    // The seam bridge twins. The Seam Removal page copies its Enable box and threshold here;
    // neither runs a handler.
    void SetSeamBridgeTwin(bool checked);
    void SetBridgeThresholdTwinText(const QString& text);
    QString BridgeThresholdTwinText() const;
    // The threshold typed into the twin was refused: the twin shows `text` (what the Seam
    // Removal page's field shows now) and the keyboard comes back to it.
    void TakeBackBridgeThresholdTwin(const QString& text);

public slots:
    void BasicEdgeFeatheringCheckBoxClick();
    // Bound to the box's state change: a fill that changes it applies the view without sending.
    void AdvanceModeCheckBoxClick();
    void FeatherRadioGroupClick();
    void EnDataDoubleCheckBoxClick();
    // Both "System Save Zelvar(s)" buttons (this page's and the Information page's).
    void SystemSaveButtonClick();
    // "Reset Zelvar(s)" of the Information page.
    void ResetButtonClick();

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
    void BuildSubPages();
    void BuildHelpPanel();
    void BuildRightColumn();
    void BuildDataDoubling(QWidget* parent, int y);
    void BuildSeamBridge(QWidget* parent, int y);
    void BuildFeatheringModes(QWidget* parent, int y);
    // The basic gamma as the click on the basic box sends it; nullopt after a message.
    std::optional<double> BasicGammaForSend();
    ChannelGroup* Group(int channel) const;

    PageControl* screenPageControl_ = nullptr;
    std::array<ChannelGroup*, 8> channels_{};
    QPushButton* systemSaveButton_ = nullptr;
    QGroupBox* dataDoubleGroup_ = nullptr;
    QCheckBox* dataDoubleBox_ = nullptr;
    FieldEdit* overlapEdit_ = nullptr;
    SpinButtons* overlapArrows_ = nullptr;
    QCheckBox* seamBridgeTwin_ = nullptr;
    NumericField* thresholdTwin_ = nullptr;
    QGroupBox* basicGroup_ = nullptr;
    QCheckBox* basicBox_ = nullptr;
    NumericField* basicGamma_ = nullptr;
    QCheckBox* advancedBox_ = nullptr;
    QGroupBox* featherCurveGroup_ = nullptr;
    QButtonGroup* featherCurve_ = nullptr;

    int maxOverlap_ = 0;
    // 0 until the first projector count is applied.
    int projectorCount_ = 0;
};

} // namespace tarvel
