#include "ui/pages/SeamRemovalPage.h"

#include "config/SendPlan.h"
#include "device/CommandEncoders.h"
#include "device/DeviceLink.h"
#include "ui/BusyGuard.h"
#include "ui/CancellableProgress.h"
#include "ui/ChannelSelectGroup.h"
#include "ui/FieldEdit.h"
#include "ui/NumericField.h"
#include "ui/TTarvelForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/WaitCursor.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/UnitSends.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>

namespace tarvel {

namespace {

// Gain k's caption beside SeamGain<k>Edit; the "Seam" divider stands between -1 and +1.
constexpr std::array<const char*, SeamRemovalPage::GainCount> GainCaptions{
    "Gain -4", "Gain -3", "Gain -2", "Gain -1", "Gain +1", "Gain +2", "Gain +3", "Gain +4"};

constexpr int GainLower = 0;
constexpr int GainUpper = 255;
constexpr int GainReset = 128;
const QString GainRangeText = QStringLiteral("(0 - 255)");
const QString ResetGainText = QString::number(GainReset);
const QString ResetCaption = QStringLiteral("Tarvel - Reset Seam Gain Verification");
const QString AutoSeamProgress = QStringLiteral("Auto Seam Gain in progress. Please wait....");
const QString AutoSeamName = QStringLiteral("Auto Seam Gain");
const QString ResetQuestion = QStringLiteral(
    "Resetting Seam Gains will reset all seam gain values back to 128 for the current channel. "
    "Are you sure you want to reset the Seam Gains?");

// A gain field other than the committed one holds no valid gain: nothing is sent.
QString OtherGainMessage(int gain, const QString& text) {
    return QStringLiteral("Error! Seam gains not sent. ") +
           QString::fromLatin1(GainCaptions[static_cast<std::size_t>(gain)]) +
           QStringLiteral(" holds '") + text +
           QStringLiteral("', which is not a valid Seam Gain Value ") + GainRangeText +
           QStringLiteral(".");
}

constexpr int ThresholdStepStart = 16; // an empty threshold steps from here

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int x, int y,
                        int width) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, width, 25);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int width = 70) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, width, 17);
    return label;
}

} // namespace

SeamRemovalPage::SeamRemovalPage(const UiContext& context, QWidget* parent)
    : TabPage("SeamRemovalTabSheet", context, parent) {
    channelSelect_ = new ChannelSelectGroup(QStringLiteral("SeamScreenSelectRadioGroup"),
                                            QStringLiteral("SeamScreenSelect"), this);
    channelSelect_->Place(16, 12, 425, 45);
    connect(channelSelect_, &ChannelSelectGroup::Changed, this,
            &SeamRemovalPage::SeamScreenSelectRadioGroupClick);
    BuildGainGroup();
    BuildBridgeGroup();
}

SeamRemovalPage::~SeamRemovalPage() = default;

void SeamRemovalPage::BuildGainGroup() {
    gainGroup_ = new QGroupBox(QStringLiteral("Manual Seam Gain"), this);
    gainGroup_->setObjectName(QStringLiteral("SeamGroupBox"));
    gainGroup_->setGeometry(16, 72, 425, 300);

    constexpr int labelX = 24;
    constexpr int editX = 96;
    constexpr int firstRowY = 30;
    constexpr int rowHeight = 30;
    constexpr int dividerHeight = 26;
    for (int i = 0; i < GainCount; ++i) {
        const int next = i + 1;
        auto* field = new NumericField(
            {.Stem = QStringLiteral("SeamGain%1").arg(i + 1),
             .Lower = GainLower,
             .Upper = GainUpper,
             .RangeText = GainRangeText,
             .MaxLength = 4,
             .BoundsMessage = QStringLiteral("Error! Seam Position value out of bounds! "),
             .BoundsMessageWithRange = true,
             .InvalidNumberEnding = QStringLiteral("' is not a valid Seam Gain Value."),
             .Restore = [this] { FillSeamPage(); },
             .Send = [this](std::span<const double>) { SendManualSeam(); },
             .EnterTarget =
                 [this, next] {
                     return static_cast<QWidget*>(next < GainCount ? gains_[next]->Edit()
                                                                   : threshold_->Edit());
                 }},
            Context(), gainGroup_);
        const int y = firstRowY + i * rowHeight + (i >= GainCount / 2 ? dividerHeight : 0);
        MakeLabel(gainGroup_, QString::fromLatin1(GainCaptions[static_cast<std::size_t>(i)]),
                  labelX, y + 2);
        field->Place(editX, y, 55);
        gains_[static_cast<std::size_t>(i)] = field;
    }
    // The seam lies between gain -1 and gain +1.
    const int dividerY = firstRowY + (GainCount / 2) * rowHeight - 2;
    MakeLabel(gainGroup_, QStringLiteral("Seam"), labelX, dividerY, 40);
    auto* line = new QFrame(gainGroup_);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(labelX + 40, dividerY + 8, 110, 2);

    auto* reset = MakeButton(gainGroup_, "ResetSeamGainButton", "Reset Seam Gain", 220, 30, 185);
    auto* single =
        MakeButton(gainGroup_, "SeamAutoSingleConfigButton", "Auto Seam Gain", 220, 64, 185);
    connect(reset, &QPushButton::clicked, this, &SeamRemovalPage::ResetSeamGainButtonClick);
    connect(single, &QPushButton::clicked, this, &SeamRemovalPage::SeamAutoSingleConfigButtonClick);

    autoAllButton_ =
        MakeButton(this, "SeamAutoAllConfigButton", "Auto Seam Gain (All Channels)", 16, 384, 240);
    connect(autoAllButton_, &QPushButton::clicked, this,
            &SeamRemovalPage::SeamAutoAllConfigButtonClick);
}

void SeamRemovalPage::BuildBridgeGroup() {
    // Per channel; it only mirrors the Enable box and is never shown.
    bridgeSingle_ = new QCheckBox(QStringLiteral("Seam Bridge "), this);
    bridgeSingle_->setObjectName(QStringLiteral("SeamBridgeSingleConfigCheckBox"));
    bridgeSingle_->setGeometry(460, 200, 120, 17);
    bridgeSingle_->setVisible(false);
    connect(bridgeSingle_, &QCheckBox::clicked, this,
            &SeamRemovalPage::SeamBridgeSingleConfigCheckBoxClick);

    auto* group = new QGroupBox(QStringLiteral("Seam Bridge"), this);
    group->setObjectName(QStringLiteral("SeamBridgeGroupBox"));
    group->setGeometry(460, 72, 220, 100);
    bridgeAll_ = new QCheckBox(QStringLiteral("Enable"), group);
    bridgeAll_->setObjectName(QStringLiteral("SeamBridgeAllConfigCheckBox"));
    bridgeAll_->setGeometry(16, 28, 100, 17);
    connect(bridgeAll_, &QCheckBox::clicked, this,
            &SeamRemovalPage::SeamBridgeAllConfigCheckBoxClick);

    threshold_ = new NumericField(
        {.Stem = QStringLiteral("BridgeThreshold"),
         .Lower = GainLower,
         .Upper = GainUpper,
         .RangeText = GainRangeText,
         .MaxLength = 4,
         .DefaultText = QString(),
         .BoundsMessage = QStringLiteral("Error! Bridge Threshold value out of bounds! "),
         .BoundsMessageWithRange = true,
         .InvalidNumberEnding = QStringLiteral("' is not a valid Bridge Threshold value."),
         .Restore = [this] { FillSeamPage(); },
         .EmptyStepValue = ThresholdStepStart,
         .EmptyCommitsNothing = true,
         .Send =
             [this](std::span<const double> values) {
                 SendBridgeThreshold(static_cast<int>(values[0]));
             },
         // The command itself sends only while connected; the value is kept all the same.
         .SendChecksLinkItself = true,
         .EnterTarget = [this] { return static_cast<QWidget*>(gains_[0]->Edit()); }},
        Context(), group);
    MakeLabel(group, QStringLiteral("Threshold"), 16, 62);
    threshold_->Place(96, 60, 55);
}

UnitChannel SeamRemovalPage::Selected() const {
    return ScreenToUnitChannel(SelectedChannel());
}

int SeamRemovalPage::SelectedChannel() const {
    const int index = channelSelect_->ItemIndex();
    return index < 0 ? 1 : index + 1;
}

void SeamRemovalPage::SelectChannel(int channel) {
    {
        const QSignalBlocker blocker(channelSelect_);
        channelSelect_->SetItemIndex(channel - 1);
    }
    SeamScreenSelectRadioGroupClick();
}

void SeamRemovalPage::SetChannelCount(int count) {
    channelSelect_->SetCount(count);
    SeamScreenSelectRadioGroupClick();
}

void SeamRemovalPage::SeamScreenSelectRadioGroupClick() {
    if (!Context().State.UpdatingControls) {
        FillSeamPage();
    }
}

void SeamRemovalPage::SetUsable(bool usable) {
    TabPage::SetUsable(usable);
    if (usable) {
        FillSeamPage();
    }
    channelSelect_->setEnabled(usable);
    gainGroup_->setEnabled(usable);
    bridgeAll_->setEnabled(usable);
    autoAllButton_->setEnabled(usable);
}

void SeamRemovalPage::FillSeamPage() {
    const UpdatingControlsGuard updating(Context().State);
    const UnitChannel uc = Selected();
    const OutputSettings& output = Context().Model.Channels.Output(uc);
    for (std::size_t i = 0; i < gains_.size(); ++i) {
        gains_[i]->SetText(QString::number(output.SeamGain[i]));
    }
    // Bridging and its threshold belong to the whole unit: its channel-1 record holds them.
    const OutputSettings& unit = Context().Model.Channels.UnitOutput(uc.Unit);
    bridgeAll_->setChecked(unit.SeamBridge != 0);
    MirrorBridge(bridgeAll_->isChecked());
    if (unit.BridgeThreshold != 0) {
        threshold_->SetText(QString::number(unit.BridgeThreshold));
    }
}

void SeamRemovalPage::MirrorBridge(bool checked) {
    bridgeSingle_->setChecked(checked);
    if (Context().Form != nullptr) {
        Context().Form->DisplaySetup().SetSeamBridgeTwin(checked);
    }
}

void SeamRemovalPage::SendManualSeam() {
    std::array<int, GainCount> values{};
    for (std::size_t i = 0; i < gains_.size(); ++i) {
        const std::optional<double> value = gains_[i]->Value();
        if (!value || *value < GainLower || *value > GainUpper) {
            Context().ShowMessage(OtherGainMessage(static_cast<int>(i), gains_[i]->Text()));
            return;
        }
        values[i] = static_cast<int>(*value);
    }
    if (CommandEncoders* encoders = Encoders(Context())) {
        const UnitChannel uc = Selected();
        encoders->SendManualSeam(uc.Unit, uc.Channel, ManualSeamMode, values);
    }
}

void SeamRemovalPage::SendBridgeThreshold(int threshold) {
    if (Context().Form != nullptr) {
        Context().Form->DisplaySetup().SetBridgeThresholdTwinText(QString::number(threshold));
    }
    // Without a link the command still keeps the value for each unit.
    SendToUnits(Context(), this, [threshold](CommandEncoders& encoders, int unit) {
        return encoders.SendBridgeThreshold(unit, threshold);
    });
}

bool SeamRemovalPage::CommitBridgeThresholdTwin(const QString& text) {
    threshold_->SetText(text);
    if (text.isEmpty()) {
        return true;
    }
    const QPointer<SeamRemovalPage> self(this);
    const QPointer<QWidget> before = QApplication::focusWidget();
    const bool accepted = threshold_->CommitField();
    FieldEdit* edit = threshold_->Edit();
    if (!self || accepted || edit->isVisible()) {
        return accepted;
    }
    // The user typed the refused text into the twin, while this page's edit is out of sight:
    // the twin shows what this field shows now (the stored threshold after a bounds error) and
    // takes the keyboard back, so leaving it checks it again, as every other field does.
    if (Context().Form != nullptr) {
        Context().Form->DisplaySetup().TakeBackBridgeThresholdTwin(threshold_->Text());
        return accepted;
    }
    if (QApplication::focusWidget() == edit) {
        const QSignalBlocker quiet(edit);
        if (before != nullptr && before != edit && before->isVisible() && before->isEnabled()) {
            before->setFocus(Qt::OtherFocusReason);
        } else {
            edit->clearFocus();
        }
    }
    return accepted;
}

QString SeamRemovalPage::BridgeThresholdText() const {
    return threshold_->Text();
}

void SeamRemovalPage::ResetSeamGainButtonClick() {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    if (!Context().Messages.YesNo(ResetQuestion, ResetCaption)) {
        return;
    }
    const WaitCursor cursor;
    for (NumericField* field : gains_) {
        field->SetText(ResetGainText);
    }
    gains_[0]->CommitField(); // sends all eight
}

void SeamRemovalPage::SeamAutoSingleConfigButtonClick() {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    CommandEncoders* encoders = Encoders(Context());
    if (encoders != nullptr && Context().MaySend()) {
        const UnitChannel uc = Selected();
        const QPointer<SeamRemovalPage> self(this);
        CancellableProgress progress(Context(), AutoSeamProgress);
        const SendResult sent = encoders->SendAutoSeam(uc.Unit, uc.Channel);
        if (!self) {
            return;
        }
        if (sent == SendResult::Done) {
            FillSeamPage();
        } else if (progress.Cancelled()) {
            progress.Hide();
            Context().ShowMessage(CancellableProgress::AutomaticCancelledText(AutoSeamName));
        }
    }
}

void SeamRemovalPage::SeamAutoAllConfigButtonClick() {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    if (Encoders(Context()) == nullptr || !Context().MaySend()) {
        return;
    }
    const QPointer<SeamRemovalPage> self(this);
    CancellableProgress progress(Context(), AutoSeamProgress);
    const UnitsSent sent = SendToEveryChannel(
        Context(), this, [self](CommandEncoders& encoders, int unit, int channel) {
            const SendResult result = encoders.SendAutoSeam(unit, channel);
            if (result == SendResult::Done && self) {
                self->FillSeamPage();
            }
            return result;
        });
    if (sent == UnitsSent::Stopped && progress.Cancelled()) {
        progress.Hide();
        Context().ShowMessage(CancellableProgress::AutomaticCancelledText(AutoSeamName));
    }
}

void SeamRemovalPage::SeamBridgeAllConfigCheckBoxClick() {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    const bool checked = bridgeAll_->isChecked();
    if (Context().MayCommit()) {
        const UnitsSent sent =
            SendToUnits(Context(), this, [checked](CommandEncoders& encoders, int unit) {
                return encoders.SendSeamBridge(unit, checked ? 1 : 0);
            });
        if (sent == UnitsSent::Gone) {
            return;
        }
    }
    MirrorBridge(checked);
}

void SeamRemovalPage::SeamBridgeSingleConfigCheckBoxClick() {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    CommandEncoders* encoders = Encoders(Context());
    if (encoders != nullptr && Context().MayCommit()) {
        encoders->SendSeamBridge(Selected().Unit, bridgeSingle_->isChecked() ? 1 : 0);
    }
}

void SeamRemovalPage::BridgeTwinClicked(bool checked) {
    if (Context().State.UpdatingControls) {
        return;
    }
    bridgeAll_->setChecked(checked);
    SeamBridgeAllConfigCheckBoxClick();
}

} // namespace tarvel
