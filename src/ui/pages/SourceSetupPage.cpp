#include "ui/pages/SourceSetupPage.h"

#include "config/InputColours.h"
#include "config/NumberFormat.h"
#include "device/CommandEncoders.h"
#include "device/DeviceLink.h"
#include "ui/BusyGuard.h"
#include "ui/CancellableProgress.h"
#include "ui/ChannelSelectGroup.h"
#include "ui/FieldEdit.h"
#include "ui/NumericField.h"
#include "ui/TInfoForm.h"
#include "ui/TTarvelForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/WaitCursor.h"
#include "ui/pages/UnitSends.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <array>

namespace tarvel {

const QString SourceSetupPage::NoLockNote =
    QStringLiteral("NOTE: No video lock on this channel. Cannot adjust controls.");

namespace {

const QString TrueText = QStringLiteral("True");
const QString FalseText = QStringLiteral("False");
const QString NotAvailable = QStringLiteral("N/A");

const QString ResetCaption = QStringLiteral("Tarvel - Input Config Reset Verification");
const QString ResetQuestion = QStringLiteral(
    "Resetting Input Configuration will reset input settings for the current channel to "
    "default values. Are you sure you want to reset the Input Configuration?");

// How far the sampling window may move around the centre the unit reports.
constexpr std::int64_t HPositionSpan = 128;
constexpr std::int64_t VPositionSpan = 16;
constexpr std::int32_t NoLimit = -1;

const QString NoInputText =
    QStringLiteral("Error! Zelvar detect no input on input channel 1. Auto Color Balance aborted.");
const QString ColourBoundsMessage = QStringLiteral("Error! Value out of bounds! ");
const QString ContrastEnding = QStringLiteral("' is not a valid Contrast Level.");
const QString BrightnessEnding = QStringLiteral("' is not a valid Brightness Level.");

// One colour field: its name, and where its value lives, its bounds and how it is shown
// (InputColourRules, in the same order: the order of the Enter chain, each row's Enter target
// is the next row, the last one's the first).
struct ColourRow {
    const char* Stem;
    bool Contrast;
    InputColour Colour;
    double Lower;
    double Upper;
    const char* RangeText;
    float InputSettings::*Field;
    int Digits;
};

constexpr std::array<const char*, 8> ColourStems{
    "LeftOContrast", "LeftOBrightness", "LeftRContrast", "LeftRBrightness",
    "LeftGContrast", "LeftGBrightness", "LeftBContrast", "LeftBBrightness"};

constexpr std::array<ColourRow, 8> MakeColourRows() {
    std::array<ColourRow, 8> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const InputColourRule& rule = InputColourRules[i];
        rows[i] = {ColourStems[i], rule.Contrast,  rule.Colour, rule.Lower,
                   rule.Upper,     rule.RangeText, rule.Field,  rule.Digits};
    }
    return rows;
}

constexpr std::array<ColourRow, 8> ColourRows = MakeColourRows();

// Row captions of the colour grid, one per colour (contrast and brightness side by side).
constexpr std::array<const char*, 4> ColourCaptions{"Overall", "Red", "Green", "Blue"};

// The automatic adjustments: confirmations, progress text, whether the page control is
// disabled while unit 1 runs, and the name a cancel's message gives it.
struct AutomaticRow {
    AutoOperation Operation;
    const char* Caption;
    std::array<const char*, 2> Questions; // the second may be null
    const char* Progress;
    bool DisablesPageControl;
    const char* Name;
};

constexpr std::array<AutomaticRow, 3> AutomaticRows{{
    {AutoOperation::ColourBalance,
     "Tarvel - Confirm Auto Color Balance",
     {"Automatic Color Balance takes several minutes to complete. Are you sure you want to run "
      "Automatic Color Balance? Click OK to continue.",
      "IMPORTANT: Verify that Horizontal Bars 1 test pattern is selected on Kindrel(Horizontal "
      "Ramp on Controller) before running. Click OK to start Automatic RGB Color Adjustment."},
     "Auto Color Balance in progress. Please wait....",
     true,
     "Auto Color Balance"},
    {AutoOperation::Position,
     "Tarvel - Confirm Auto Input Position",
     {"IMPORTANT: Verify that Horizontal Bars 1 test pattern is selected on Kindrel(Horizontal "
      "Ramp on Controller) and Raster Box is enabled before running. Click OK to start "
      "Automatic Input Position Adjustment.",
      nullptr},
     "Auto Position in progress. Please wait....",
     false,
     "Auto Position"},
    {AutoOperation::Phase,
     "Tarvel - Confirm Auto Phase Calibration",
     {"IMPORTANT: Verify that Horizontal Bars 1 test pattern is selected on Kindrel(Horizontal "
      "Ramp on Controller) and Raster Box is enabled before running. Click OK to start "
      "Automatic Phase Calibration.",
      nullptr},
     "Auto Phase Calibration in progress. Please wait....",
     false,
     "Auto Phase Calibration"},
}};

const AutomaticRow& RowFor(AutoOperation operation) {
    for (const AutomaticRow& row : AutomaticRows) {
        if (row.Operation == operation) {
            return row;
        }
    }
    return AutomaticRows[0];
}

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int width = 90) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, width, 17);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int x, int y,
                        int width) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, width, 25);
    return button;
}

QString Number(std::int64_t value) {
    return QString::number(static_cast<qlonglong>(value));
}

QString General(float value, int digits) {
    return QString::fromStdString(FormatGeneral(value, digits));
}

} // namespace

SourceSetupPage::SourceSetupPage(const UiContext& context, QWidget* parent)
    : TabPage("SourceSetupTabSheet", context, parent) {
    BuildChannelSelect();
    BuildAlignmentGroup();
    BuildColourGroup();
}

SourceSetupPage::~SourceSetupPage() = default;

void SourceSetupPage::BuildChannelSelect() {
    channelSelect_ = new ChannelSelectGroup(QStringLiteral("SourceScreenSelectRadioGroup"),
                                            QStringLiteral("SourceScreenSelect"), this);
    channelSelect_->Place(16, 12, 425, 45);
    connect(channelSelect_, &ChannelSelectGroup::Changed, this,
            &SourceSetupPage::SourceScreenSelectRadioGroupClick);

    MakeLabel(this, QStringLiteral("Video Loaded :"), 472, 20);
    MakeLabel(this, QStringLiteral("Video Locked :"), 472, 40);
    videoLoadedLabel_ = MakeLabel(this, NotAvailable, 564, 20, 60);
    videoLoadedLabel_->setObjectName(QStringLiteral("SourceVideoLoadedLabel"));
    videoLockedLabel_ = MakeLabel(this, NotAvailable, 564, 40, 60);
    videoLockedLabel_->setObjectName(QStringLiteral("SourceVideoLockedLabel"));
}

void SourceSetupPage::BuildAlignmentGroup() {
    alignmentGroup_ = new QGroupBox(QStringLiteral("Input Alignment"), this);
    alignmentGroup_->setObjectName(QStringLiteral("InputAlignmentGroupBox"));
    alignmentGroup_->setGeometry(16, 72, 425, 172);

    const auto refill = [this] { FillSourcePage(); };
    hPosition_ = new NumericField(
        {.Stem = QStringLiteral("HPosition"),
         .Lower = [this] { return static_cast<double>(hPositionMin_); },
         .Upper = [this] { return static_cast<double>(hPositionMax_); },
         .LiveBoundsMessage = [this] { return HPositionBoundsMessage(); },
         .InvalidNumberEnding = QStringLiteral("' is not a valid H Position Value."),
         .Restore = refill,
         .StepReport = StepConversionReport::OwnMessage,
         .Send = SendToSelected(&CommandEncoders::SendHorizontalPosition),
         .EnterTarget = [this] { return static_cast<QWidget*>(vPosition_->Edit()); }},
        Context(), alignmentGroup_);
    vPosition_ = new NumericField(
        {.Stem = QStringLiteral("VPosition"),
         .Lower = [this] { return static_cast<double>(vPositionMin_); },
         .Upper = [this] { return static_cast<double>(vPositionMax_); },
         .MaxLength = 5,
         .BoundsMessage = QStringLiteral("Error! V Position value out of bounds! "),
         .InvalidNumberEnding = QStringLiteral("' is not a valid V Position Value."),
         .Restore = refill,
         .StepReport = StepConversionReport::OwnMessage,
         .Send = SendToSelected(&CommandEncoders::SendVerticalPosition),
         .EnterTarget = [this] { return static_cast<QWidget*>(phase_->Edit()); }},
        Context(), alignmentGroup_);
    phase_ = new NumericField(
        {.Stem = QStringLiteral("Phase"),
         .Lower = -16,
         .Upper = 15,
         .RangeText = QStringLiteral("(-16 - +15)"),
         .MaxLength = 4,
         .BoundsMessage = QStringLiteral("Error! Phase Offset value out of bounds! "),
         .BoundsMessageWithRange = true,
         .InvalidNumberEnding = QStringLiteral("' is not a valid Phase Value."),
         .Restore = refill,
         .StepReport = StepConversionReport::OwnMessage,
         .Send = SendToSelected(&CommandEncoders::SendInputPhase),
         // Without video lock the H position is disabled and cannot take the focus; Enter
         // then goes to the channel selector, so the phase is still committed.
         .EnterTarget =
             [this] {
                 QWidget* next = hPosition_->Edit();
                 if (!next->isEnabled()) {
                     next = channelSelect_->Item(channelSelect_->ItemIndex());
                 }
                 return next;
             }},
        Context(), alignmentGroup_);

    const int labelX = 16;
    const int editX = 112;
    MakeLabel(alignmentGroup_, QStringLiteral("H Position"), labelX, 34);
    hPosition_->Place(editX, 32, 65);
    MakeLabel(alignmentGroup_, QStringLiteral("V Position"), labelX, 68);
    vPosition_->Place(editX, 66, 65);
    MakeLabel(alignmentGroup_, QStringLiteral("Phase"), labelX, 102);
    phase_->Place(editX, 100, 65);
    MakeLabel(alignmentGroup_, QStringLiteral("H Total"), labelX, 136);
    hTotalEdit_ = new QLineEdit(NotAvailable, alignmentGroup_);
    hTotalEdit_->setObjectName(QStringLiteral("HTotalEdit"));
    hTotalEdit_->setGeometry(editX, 134, 65, 21);
    hTotalEdit_->setEnabled(false);

    auto* save = MakeButton(alignmentGroup_, "SaveConfigButton", "Save Config", 224, 30, 185);
    auto* reset = MakeButton(alignmentGroup_, "AutoConfigButton", "Reset Config", 224, 64, 185);
    auto* saveAll = MakeButton(alignmentGroup_, "SaveAllConfigButton", "Save Config (All Channels)",
                               224, 98, 185);
    // Present for the automatic position and phase, but never shown.
    auto* autoPosition = MakeButton(alignmentGroup_, "AutoPositionButton",
                                    "Auto Position (All Channels)", 224, 132, 185);
    auto* autoPhase =
        MakeButton(alignmentGroup_, "AutoPhaseButton", "Auto Phase (All Channels)", 224, 166, 185);
    autoPosition->setVisible(false);
    autoPhase->setVisible(false);
    connect(save, &QPushButton::clicked, this, &SourceSetupPage::SaveConfigButtonClick);
    connect(reset, &QPushButton::clicked, this, &SourceSetupPage::AutoConfigButtonClick);
    connect(saveAll, &QPushButton::clicked, this, &SourceSetupPage::SaveAllConfigButtonClick);
    connect(autoPosition, &QPushButton::clicked, this, &SourceSetupPage::AutoPositionButtonClick);
    connect(autoPhase, &QPushButton::clicked, this, &SourceSetupPage::AutoPhaseButtonClick);
}

void SourceSetupPage::BuildColourGroup() {
    colourGroup_ = new QGroupBox(QStringLiteral("Source Color Balance"), this);
    colourGroup_->setObjectName(QStringLiteral("SourceColorBalanceGroupBox"));
    colourGroup_->setGeometry(460, 72, 425, 245);
    autoColorBalanceButton_ = MakeButton(colourGroup_, "AutoColorBalanceButton",
                                         "Auto Color Balance (All Channels)", 16, 28, 240);
    connect(autoColorBalanceButton_, &QPushButton::clicked, this,
            &SourceSetupPage::AutoColorBalanceButtonClick);

    leftSideGroup_ = new QGroupBox(colourGroup_);
    leftSideGroup_->setObjectName(QStringLiteral("LeftSideGroupBox"));
    leftSideGroup_->setGeometry(16, 64, 393, 165);
    constexpr int contrastX = 100;
    constexpr int brightnessX = 240;
    constexpr int firstRowY = 36;
    constexpr int rowHeight = 30;
    MakeLabel(leftSideGroup_, QStringLiteral("Contrast"), contrastX, 12);
    MakeLabel(leftSideGroup_, QStringLiteral("Brightness"), brightnessX, 12);
    for (std::size_t i = 0; i < ColourCaptions.size(); ++i) {
        MakeLabel(leftSideGroup_, QString::fromLatin1(ColourCaptions[i]), 14,
                  firstRowY + 2 + static_cast<int>(i) * rowHeight);
    }

    for (std::size_t i = 0; i < ColourRows.size(); ++i) {
        const ColourRow& row = ColourRows[i];
        const std::size_t next = (i + 1) % ColourRows.size();
        auto* field = new NumericField(
            {.Stem = QString::fromLatin1(row.Stem),
             .Kind = NumericKind::Real,
             .Lower = row.Lower,
             .Upper = row.Upper,
             .RangeText = QString::fromLatin1(row.RangeText),
             .BoundsMessage = ColourBoundsMessage,
             .BoundsMessageWithRange = true,
             .InvalidNumberEnding = row.Contrast ? ContrastEnding : BrightnessEnding,
             .Restore = [this] { FillSourcePage(); },
             .Send = [this, i](std::span<const double> values) { SendColour(i, values[0]); },
             .EnterTarget = [this,
                             next] { return static_cast<QWidget*>(colourFields_[next]->Edit()); }},
            Context(), leftSideGroup_);
        const int rowY = firstRowY + static_cast<int>(i / 2) * rowHeight;
        field->Place(row.Contrast ? contrastX : brightnessX, rowY, 65);
        colourFields_.push_back(field);
    }
}

NumericSend SourceSetupPage::SendToSelected(SendResult (CommandEncoders::*send)(int unit,
                                                                                int channel,
                                                                                int value)) {
    return [this, send](std::span<const double> values) {
        if (CommandEncoders* encoders = Encoders(Context())) {
            const UnitChannel uc = Selected();
            (encoders->*send)(uc.Unit, uc.Channel, static_cast<int>(values[0]));
        }
    };
}

UnitChannel SourceSetupPage::Selected() const {
    return ScreenToUnitChannel(SelectedChannel());
}

int SourceSetupPage::SelectedChannel() const {
    const int index = channelSelect_->ItemIndex();
    return index < 0 ? 1 : index + 1;
}

void SourceSetupPage::SelectChannel(int channel) {
    {
        const QSignalBlocker blocker(channelSelect_);
        channelSelect_->SetItemIndex(channel - 1);
    }
    SourceScreenSelectRadioGroupClick();
}

void SourceSetupPage::SetChannelCount(int count) {
    channelSelect_->SetCount(count);
    SourceScreenSelectRadioGroupClick();
}

void SourceSetupPage::SourceScreenSelectRadioGroupClick() {
    if (!Context().State.UpdatingControls) {
        FillSourcePage();
    }
}

QString SourceSetupPage::HPositionBoundsMessage() const {
    return QStringLiteral("Error! H Position value out of bounds! (") + Number(hPositionMin_) +
           QStringLiteral(" - ") + Number(hPositionMax_) + QStringLiteral(")");
}

void SourceSetupPage::SetUsable(bool usable) {
    TabPage::SetUsable(usable);
    if (usable) {
        FillSourcePage();
    }
    channelSelect_->setEnabled(usable);
    alignmentGroup_->setEnabled(usable);
    colourGroup_->setEnabled(usable);
}

void SourceSetupPage::FillSourcePage() {
    const UpdatingControlsGuard updating(Context().State);
    const InputSettings& input = Context().Model.Channels.Input(Selected());
    const bool locked = input.VideoLocked == 1;

    videoLoadedLabel_->setText(input.VideoLoaded == 1 ? TrueText : FalseText);
    videoLockedLabel_->setText(locked ? TrueText : FalseText);
    Context().ShowStatus(locked ? QString() : NoLockNote);
    hPosition_->SetEnabled(locked);
    vPosition_->SetEnabled(locked);
    if (locked) {
        hPosition_->SetText(Number(input.HPosition));
        vPosition_->SetText(Number(input.VPosition));
        hTotalEdit_->setText(Number(input.HTotal));
    } else {
        hPosition_->SetText(NotAvailable);
        vPosition_->SetText(NotAvailable);
        hTotalEdit_->setText(NotAvailable);
    }

    // The limits follow the record whatever the lock (64-bit: a record may hold anything).
    hPositionMax_ = std::int64_t{input.HPositionCentre} + HPositionSpan;
    const std::int64_t hLimit = input.HPositionLimit == NoLimit
                                    ? std::int64_t{input.HTotal} - std::int64_t{input.HActive} - 2
                                    : std::int64_t{input.HPositionLimit};
    if (hPositionMax_ >= hLimit) {
        hPositionMax_ = hLimit - 1;
    }
    hPositionMin_ = std::int64_t{input.HPositionCentre} - HPositionSpan;
    vPositionMax_ = std::int64_t{input.VPositionCentre} + VPositionSpan;
    if (input.VPositionLimit != NoLimit && vPositionMax_ >= input.VPositionLimit) {
        vPositionMax_ = std::int64_t{input.VPositionLimit} - 1;
    }
    vPositionMin_ = std::int64_t{input.VPositionCentre} - VPositionSpan;

    phase_->SetText(Number(input.Phase));

    autoColorBalanceButton_->setEnabled(locked);
    leftSideGroup_->setEnabled(locked);
    for (std::size_t i = 0; i < ColourRows.size(); ++i) {
        const ColourRow& row = ColourRows[i];
        colourFields_[i]->SetText(locked ? General(input.*row.Field, row.Digits) : NotAvailable);
    }
}

void SourceSetupPage::SendColour(std::size_t row, double value) {
    CommandEncoders* encoders = Encoders(Context());
    if (encoders == nullptr) {
        return;
    }
    const ColourRow& colour = ColourRows[row];
    const UnitChannel uc = Selected();
    const auto level = static_cast<float>(value);
    if (colour.Contrast) {
        encoders->SendInputContrast(uc.Unit, uc.Channel, colour.Colour, level);
    } else {
        encoders->SendInputBrightness(uc.Unit, uc.Channel, colour.Colour, level);
    }
}

void SourceSetupPage::RefuseColour(std::size_t rule) {
    if (rule < colourFields_.size()) {
        colourFields_[rule]->CommitField();
    }
}

void SourceSetupPage::SaveConfigButtonClick() {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    CommandEncoders* encoders = Encoders(Context());
    if (encoders != nullptr && Context().MaySend()) {
        const UnitChannel uc = Selected();
        encoders->SendSaveInputConfig(uc.Unit, uc.Channel);
    }
}

void SourceSetupPage::SaveAllConfigButtonClick() {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    if (Encoders(Context()) == nullptr || !Context().MaySend()) {
        return;
    }
    SendToEveryChannel(Context(), this, [](CommandEncoders& encoders, int unit, int channel) {
        return encoders.SendSaveInputConfig(unit, channel);
    });
}

void SourceSetupPage::AutoConfigButtonClick() {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    CommandEncoders* encoders = Encoders(Context());
    // Nothing to reset without a link: the question would lead nowhere.
    if (encoders == nullptr || !Context().MaySend()) {
        return;
    }
    if (!Context().Messages.YesNo(ResetQuestion, ResetCaption)) {
        return;
    }
    const WaitCursor cursor;
    const UnitChannel uc = Selected();
    const QPointer<SourceSetupPage> self(this);
    if (encoders->SendResetInputConfig(uc.Unit, uc.Channel) == SendResult::Done && self) {
        FillSourcePage();
    }
}

void SourceSetupPage::RunAutomaticOn(int unit, AutoOperation operation, bool& goOn) {
    const QPointer<SourceSetupPage> self(this);
    const CommandEncoders::AutomaticEnd end = Encoders(Context())->RunAutomatic(unit, operation);
    goOn = false;
    if (!self) {
        return;
    }
    if (end.InputsRead) {
        FillSourcePage();
    }
    if (end.NoInput) {
        Context().Messages.Information(NoInputText);
        if (!self) {
            return;
        }
    }
    goOn = end.Sent == SendResult::Done && Encoders(Context()) != nullptr;
}

void SourceSetupPage::AutoColorBalanceButtonClick() {
    RunAutomatic(AutoOperation::ColourBalance);
}

void SourceSetupPage::AutoPositionButtonClick() {
    RunAutomatic(AutoOperation::Position);
}

void SourceSetupPage::AutoPhaseButtonClick() {
    RunAutomatic(AutoOperation::Phase);
}

void SourceSetupPage::RunAutomatic(AutoOperation operation) {
    const QPointer<SourceSetupPage> self(this);
    TTarvelForm* form = Context().Form;
    {
        BusyGuard busy(Context().State);
        if (!busy) {
            return;
        }
        if (Confirmed(operation)) {
            RunOnUnits(operation);
            if (!self) {
                return;
            }
        }
    }
    // In every case, Busy cleared first: the page's controls follow the link again.
    if (form != nullptr) {
        form->PhasePageControlChange();
    }
}

bool SourceSetupPage::Confirmed(AutoOperation operation) const {
    if (Encoders(Context()) == nullptr || !Context().IsConnected()) {
        return false;
    }
    const AutomaticRow& row = RowFor(operation);
    const QString caption = QString::fromLatin1(row.Caption);
    for (const char* question : row.Questions) {
        if (question != nullptr &&
            !Context().Messages.OkCancel(QString::fromLatin1(question), caption)) {
            return false;
        }
    }
    return true;
}

void SourceSetupPage::RunOnUnits(AutoOperation operation) {
    const AutomaticRow& row = RowFor(operation);
    const QPointer<SourceSetupPage> self(this);
    TTarvelForm* form = Context().Form;
    CancellableProgress progress(Context(), QString::fromLatin1(row.Progress));
    if (form != nullptr && row.DisablesPageControl) {
        form->SetPageControlEnabled(false);
    }
    bool goOn = false;
    RunAutomaticOn(1, operation, goOn);
    if (!self) {
        return;
    }
    if (form != nullptr && row.DisablesPageControl) {
        form->SetPageControlEnabled(true);
    }
    if (goOn && Context().Model.System.UnitCount > 1) {
        RunAutomaticOn(2, operation, goOn);
        if (!self) {
            return;
        }
    }
    if (progress.Cancelled()) {
        progress.Hide();
        Context().ShowMessage(
            CancellableProgress::AutomaticCancelledText(QString::fromLatin1(row.Name)));
    }
}

} // namespace tarvel
