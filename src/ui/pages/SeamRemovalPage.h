#pragma once

#include "model/ChannelSettings.h"
#include "ui/pages/TabPage.h"
#include "ui/pages/UnitSends.h"

#include <QString>

#include <array>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace tarvel {

class ChannelSelectGroup;
class CommandEncoders;
class NumericField;

// Seam gains, automatic seam gain and seam bridging per channel. The tab is hidden until the
// service view shows it. The bridge box and threshold have twins on the Display Setup page:
// the twins hand their changes to this page (BridgeTwinClicked, CommitBridgeThresholdTwin),
// and this page keeps them up to date through DisplaySetupPage::SetSeamBridgeTwin and
// SetBridgeThresholdTwinText.
class SeamRemovalPage : public TabPage {
    Q_OBJECT

public:
    static constexpr int GainCount = 8;

    explicit SeamRemovalPage(const UiContext& context, QWidget* parent = nullptr);
    ~SeamRemovalPage() override;

    // The page from the model for the selected channel: the eight gains, the Enable box from
    // the unit's SeamBridge, and the threshold when the unit's is not 0.
    void FillSeamPage();
    // The projector count changed: the Channel Select lists "1".."count", the first selected
    // (which refills the page unless the program is filling controls).
    void SetChannelCount(int count);
    // The page switch rule: refill and enable the channel selector, "Manual Seam Gain", the
    // Enable box and the all-channels auto button, or disable those four.
    void SetUsable(bool usable) override;

    // The selected channel 1..8, and selecting one as a click on the Channel Select does.
    int SelectedChannel() const;
    void SelectChannel(int channel);

    // The Display Setup twin of the Enable box was clicked: unless the program is filling
    // controls, the Enable box takes its state and its handler runs.
    void BridgeTwinClicked(bool checked);
    // The Display Setup twin of the threshold was committed: its text goes into
    // BridgeThresholdEdit and that field is committed. False when the text was refused (the
    // message has been shown): the twin then shows what BridgeThresholdEdit shows and takes the
    // keyboard back (this page's hidden edit never keeps it). An empty text commits nothing and
    // counts as accepted.
    bool CommitBridgeThresholdTwin(const QString& text);
    QString BridgeThresholdText() const;

    // Handlers.
    void ResetSeamGainButtonClick();
    void SeamAutoSingleConfigButtonClick();
    void SeamAutoAllConfigButtonClick();
    void SeamBridgeAllConfigCheckBoxClick();
    void SeamBridgeSingleConfigCheckBoxClick();

private:
    void BuildGainGroup();
    void BuildBridgeGroup();
    void SeamScreenSelectRadioGroupClick();
    UnitChannel Selected() const;
    void SendManualSeam();
    void SendBridgeThreshold(int threshold);
    // The hidden per-channel box and the Display Setup twin follow the Enable box.
    void MirrorBridge(bool checked);

    ChannelSelectGroup* channelSelect_ = nullptr;
    QGroupBox* gainGroup_ = nullptr;
    std::array<NumericField*, GainCount> gains_{};
    QPushButton* autoAllButton_ = nullptr;
    QCheckBox* bridgeSingle_ = nullptr;
    QCheckBox* bridgeAll_ = nullptr;
    NumericField* threshold_ = nullptr;
};

} // namespace tarvel
