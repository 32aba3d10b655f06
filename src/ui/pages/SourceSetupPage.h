#pragma once

#include "device/SendResult.h"
#include "model/ChannelSettings.h"
#include "protocol/Command.h"
#include "ui/NumericFieldRules.h"
#include "ui/pages/TabPage.h"
#include "ui/pages/UnitSends.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvel {

class ChannelSelectGroup;
class CommandEncoders;
class NumericField;

// Input position, phase and colour balance of one channel, the input configuration's save and
// reset, and the units' automatic colour balance (and the automatic position and phase, whose
// buttons are never shown).
//
// A channel whose input the unit is not locked to cannot be adjusted: its position and colour
// controls are disabled and show "N/A"; the phase stays usable.
class SourceSetupPage : public TabPage {
    Q_OBJECT

public:
    static const QString NoLockNote;

    explicit SourceSetupPage(const UiContext& context, QWidget* parent = nullptr);
    ~SourceSetupPage() override;

    // The page from the model for the selected channel, and the four position limits.
    void FillSourcePage();
    // The projector count changed: the Channel Select lists "1".."count", the first selected
    // (which refills the page unless the program is filling controls).
    void SetChannelCount(int count);
    // The page switch rule: refill and enable the channel selector and both groups, or
    // disable them.
    void SetUsable(bool usable) override;

    // The selected channel 1..8, and selecting one as a click on the Channel Select does.
    int SelectedChannel() const;
    void SelectChannel(int channel);

    // The position limits of the last fill.
    std::int64_t HPositionMin() const { return hPositionMin_; }
    std::int64_t HPositionMax() const { return hPositionMax_; }
    std::int64_t VPositionMin() const { return vPositionMin_; }
    std::int64_t VPositionMax() const { return vPositionMax_; }

    // The whole-configuration send leaves out a colour value this page refuses: the field's
    // commit says why, as when the user leaves it (rule: index in InputColourRules).
    void RefuseColour(std::size_t rule);

    // Button handlers.
    void SaveConfigButtonClick();
    void SaveAllConfigButtonClick();
    void AutoConfigButtonClick();
    void AutoColorBalanceButtonClick();
    void AutoPositionButtonClick();
    void AutoPhaseButtonClick();

private:
    void BuildChannelSelect();
    void BuildAlignmentGroup();
    void BuildColourGroup();
    void SourceScreenSelectRadioGroupClick();
    UnitChannel Selected() const;
    // A field's send: the command for the selected channel with the field's integer.
    NumericSend SendToSelected(SendResult (CommandEncoders::*send)(int unit, int channel,
                                                                   int value));
    // The guarded button handler of an automatic adjustment: confirmations, the operation on
    // unit 1 and then unit 2, and the page switch rule afterwards.
    void RunAutomatic(AutoOperation operation);
    bool Confirmed(AutoOperation operation) const;
    void RunOnUnits(AutoOperation operation);
    // One unit's adjustment; the page shows what was read. goOn: the next unit may follow.
    void RunAutomaticOn(int unit, AutoOperation operation, bool& goOn);
    void SendColour(std::size_t row, double value);
    QString HPositionBoundsMessage() const;

    ChannelSelectGroup* channelSelect_ = nullptr;
    QLabel* videoLoadedLabel_ = nullptr;
    QLabel* videoLockedLabel_ = nullptr;
    QGroupBox* alignmentGroup_ = nullptr;
    QGroupBox* colourGroup_ = nullptr;
    QGroupBox* leftSideGroup_ = nullptr;
    NumericField* hPosition_ = nullptr;
    NumericField* vPosition_ = nullptr;
    NumericField* phase_ = nullptr;
    QLineEdit* hTotalEdit_ = nullptr;
    QPushButton* autoColorBalanceButton_ = nullptr;
    std::vector<NumericField*> colourFields_; // in the order of the colour table

    std::int64_t hPositionMin_ = 0;
    std::int64_t hPositionMax_ = 0;
    std::int64_t vPositionMin_ = 0;
    std::int64_t vPositionMax_ = 0;
};

} // namespace tarvel
