#include "ui/pages/DisplaySetupPage.h"

#include "config/NumberFormat.h"
#include "device/CommandEncoders.h"
#include "ui/BusyGuard.h"
#include "ui/FieldEdit.h"
#include "ui/NumericField.h"
#include "ui/PageControl.h"
#include "ui/PanelFontFit.h"
#include "ui/SpinButtons.h"
#include "ui/TInfoForm.h"
#include "ui/TTarvelForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/ChannelGroup.h"
#include "ui/pages/UnitSends.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvel {

namespace {

// The help panel, top to bottom.
const char* const HelpTexts[] = {
    "OUTPUT RASTER BOX:  Displays a 1- pixel outline of the of active display. ",
    "TEST GRID:  Provides a Grid of 1-pixel lines. Grid is displayed in combination with "
    "selected Test Pattern or Live video and Raster Box, if enabled.  \r\n\r\n",
    "BLACK LEVEL: Adjusts  brightness of non-overlapped image area to \r\ncompensate for excess "
    "light in overlapped image area due to light leakage from the two overlapping projectors.",
    "DATA DOUBLING OVERLAP WIDTH:  Adjusts the width of the projector overlap area. The Overlap "
    "Width is used to control the amount of data doubling required and the width of the "
    "associated edge feathering.",
    "EDGE FEATHERING BASIC MODE: In this mode, all Edge Feathered regions are enabled and set to "
    "a single common Gamma value as a group.",
    "EDGE FEATHERING ADVANCED MODE:  Selecting this mode allows the user to independently enable "
    "and set Edge Feathering Gamma for each edge of each screen. ",
};

const QString ResetCaption = QStringLiteral("Tarvel - Factory Reset Verification");
const QString ResetQuestion =
    QStringLiteral("Resetting the Zelvar(s) will reset settings to default values. Are you sure "
                   "you want to reset the Zelvar(s)?");
const QString ResetProgress = QStringLiteral("Zelvar reset in progress. Please wait....");

const QString GammaInvalid = QStringLiteral("' is not a valid Edge Feathering Gamma value.");
constexpr int BasicGammaDigits = 3;
constexpr int CurveItems = 2; // "S-Curve", "Linear"

constexpr int ChannelsPerSubPage = 4;
constexpr int SecondSubPage = 1;
constexpr int FirstChannelOfSecondSubPage = 5;

// Geometry: the sub-pages on the left, the right-hand column beside them.
constexpr int SubPagesWidth = 624;
constexpr int SubPagesHeight = 540;
constexpr int ColumnX = 632;
constexpr int ColumnWidth = 268;
constexpr int RowHeight = 21;
constexpr int EditWidth = 41;

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int width) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, width, RowHeight);
    return label;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& caption, int x, int y,
                        int width) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, width, RowHeight);
    return box;
}

} // namespace

DisplaySetupPage::DisplaySetupPage(const UiContext& context, QWidget* parent)
    : TabPage("DisplaySetupTabSheet", context, parent) {
    BuildSubPages();
    BuildRightColumn();
}

DisplaySetupPage::~DisplaySetupPage() = default;

void DisplaySetupPage::BuildSubPages() {
    screenPageControl_ = new PageControl(this);
    screenPageControl_->setObjectName(QStringLiteral("ScreenPageControl"));
    screenPageControl_->setDocumentMode(true); // tabs drawn as buttons over the sub-page
    screenPageControl_->setGeometry(2, 2, SubPagesWidth, SubPagesHeight);
    const struct {
        const char* Name;
        const char* Caption;
    } subPages[] = {
        {"Screen14TabSheet", "Screens 1-4 Controls"},
        {"Screen58TabSheet", "Screen 5-8 Controls"},
    };
    const auto maxOverlap = [this] { return static_cast<double>(maxOverlap_); };
    for (int page = 0; page < 2; ++page) {
        auto* sheet = new QWidget;
        sheet->setObjectName(QString::fromLatin1(subPages[page].Name));
        screenPageControl_->addTab(sheet, QString::fromLatin1(subPages[page].Caption));
        // Two columns: the odd channel on top, the first pair on the left.
        for (int slot = 0; slot < ChannelsPerSubPage; ++slot) {
            const int channel = page * ChannelsPerSubPage + slot + 1;
            auto* group = new ChannelGroup(channel, Context(), maxOverlap, sheet);
            group->move(4 + (slot / 2) * (ChannelGroup::Width + 4),
                        4 + (slot % 2) * (ChannelGroup::Height + 4));
            channels_[static_cast<std::size_t>(channel - 1)] = group;
        }
    }
    // The first calculation enables the sub-pages.
    screenPageControl_->setEnabled(false);
}

void DisplaySetupPage::BuildHelpPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("DisplaySetupPanel"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(ColumnX, 4, ColumnWidth, 282);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(2);
    QFont small = panel->font();
    small.setPointSizeF(small.pointSizeF() * 0.72);
    int index = 1;
    for (const char* text : HelpTexts) {
        auto* label = new QLabel(QString::fromLatin1(text), panel);
        label->setObjectName(QStringLiteral("DisplaySetupHelp%1Label").arg(index++));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setFont(small);
        layout->addWidget(label);
    }
    layout->addStretch(1);
    PanelFontFit::Apply(*panel);
}

void DisplaySetupPage::BuildRightColumn() {
    BuildHelpPanel();
    systemSaveButton_ = new QPushButton(QStringLiteral("System Save Zelvar(s)"), this);
    systemSaveButton_->setObjectName(QStringLiteral("DisplaySetupSystemSaveButton"));
    systemSaveButton_->setGeometry(ColumnX + 54, 292, 160, 25);
    connect(systemSaveButton_, &QPushButton::clicked, this,
            &DisplaySetupPage::SystemSaveButtonClick);
    BuildDataDoubling(this, 322);
    BuildSeamBridge(this, 374);
    BuildFeatheringModes(this, 426);
}

void DisplaySetupPage::BuildDataDoubling(QWidget* parent, int y) {
    dataDoubleGroup_ = new QGroupBox(QStringLiteral("Data Doubling"), parent);
    dataDoubleGroup_->setObjectName(QStringLiteral("DataDoubleGroupBox"));
    dataDoubleGroup_->setGeometry(ColumnX, y, ColumnWidth, 48);
    dataDoubleBox_ = MakeCheckBox(dataDoubleGroup_, "EnDataDoubleCheckBox",
                                  QStringLiteral("Enable"), 10, 20, 70);
    connect(dataDoubleBox_, &QCheckBox::clicked, this,
            &DisplaySetupPage::EnDataDoubleCheckBoxClick);
    MakeLabel(dataDoubleGroup_, QStringLiteral("Overlap Width"), 100, 20, 90);

    overlapEdit_ = new FieldEdit(dataDoubleGroup_);
    overlapEdit_->setObjectName(QStringLiteral("OWidthEdit"));
    overlapEdit_->setText(QStringLiteral("64"));
    overlapEdit_->setGeometry(196, 20, EditWidth, RowHeight);
    overlapArrows_ = new SpinButtons(dataDoubleGroup_);
    overlapArrows_->setObjectName(QStringLiteral("OWidthUpDown"));
    overlapArrows_->setGeometry(196 + EditWidth, 20, SpinButtons::Width, RowHeight);
    connect(overlapEdit_, &FieldEdit::Left, this, &DisplaySetupPage::OverlapLeft);
    connect(overlapEdit_, &FieldEdit::EnterPressed, this, &DisplaySetupPage::OverlapEnterPressed);
    connect(overlapArrows_, &SpinButtons::Stepped, this, &DisplaySetupPage::OverlapStepped);
    // More than one projector shows it.
    dataDoubleGroup_->hide();
}

void DisplaySetupPage::BuildSeamBridge(QWidget* parent, int y) {
    auto* group = new QGroupBox(QStringLiteral("Seam Bridge"), parent);
    group->setObjectName(QStringLiteral("DisplaySetupSeamBridgeGroupBox"));
    group->setGeometry(ColumnX, y, ColumnWidth, 48);
    seamBridgeTwin_ = MakeCheckBox(group, "DisplaySetupSeamBridgeAllConfigCheckBox",
                                   QStringLiteral("Enable"), 10, 20, 70);
    connect(seamBridgeTwin_, &QCheckBox::clicked, this, &DisplaySetupPage::SeamBridgeTwinClicked);
    MakeLabel(group, QStringLiteral("Threshold"), 100, 20, 90);
    thresholdTwin_ = ChannelGroup::NewField(
        NumericFieldRules{
            .Stem = QStringLiteral("DisplaySetupBridgeThreshold"),
            .Lower = 0,
            .Upper = 255,
            .RangeText = QStringLiteral("(0 - 255)"),
            .MaxLength = 4,
            .DefaultText = QString(),
            .BoundsMessage = QStringLiteral("Error! Bridge Threshold value out of bounds! "),
            .BoundsMessageWithRange = true,
            .InvalidNumberEnding = QStringLiteral("' is not a valid Bridge Threshold value."),
            .EmptyStepValue = 16,
            // The Seam Removal page's threshold field checks and sends it.
            .CommitInstead = [this] { emit BridgeThresholdTwinCommitted(thresholdTwin_->Text()); },
            .EnterTarget = [this] { return basicGamma_->Edit(); },
        },
        Context(), group);
    thresholdTwin_->Place(196, 20, EditWidth);
}

void DisplaySetupPage::BuildFeatheringModes(QWidget* parent, int y) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("EdgeFeatherModePanel"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(ColumnX, y, ColumnWidth, 112);

    basicGroup_ = new QGroupBox(QStringLiteral("Edge Feathering Basic Mode"), frame);
    basicGroup_->setObjectName(QStringLiteral("EdgeFeatherBasicGroupBox"));
    basicGroup_->setGeometry(6, 4, ColumnWidth - 12, 48);
    basicBox_ = MakeCheckBox(basicGroup_, "BasicEdgeFeatheringCheckBox", QStringLiteral("Enable "),
                             10, 20, 70);
    connect(basicBox_, &QCheckBox::clicked, this,
            &DisplaySetupPage::BasicEdgeFeatheringCheckBoxClick);
    // The first calculation enables it.
    basicBox_->setEnabled(false);
    MakeLabel(basicGroup_, QStringLiteral("Gamma"), 100, 20, 50);
    basicGamma_ = ChannelGroup::NewField(
        NumericFieldRules{
            .Stem = QStringLiteral("BasicGamma"),
            .Kind = NumericKind::Real,
            .Lower = 1.0,
            .Upper = 5.0,
            .RangeText = QStringLiteral("(1.0 - 5.0)"),
            .MaxLength = 4,
            .DefaultText = QStringLiteral("2.2"),
            .BoundsMessage = QStringLiteral("Error! Value out of bounds! "),
            .BoundsMessageWithRange = true,
            .InvalidNumberEnding = GammaInvalid,
            .Restore = [this] { FillBasicFeather(); },
            .Send =
                [this](std::span<const double> v) {
                    const int on = basicBox_->isChecked() ? 1 : 0;
                    const auto gamma = static_cast<float>(v[0]);
                    SendToUnits(Context(), this, [on, gamma](CommandEncoders& e, int unit) {
                        return e.SendBasicFeathering(unit, on, gamma);
                    });
                },
            .EnterTarget = [this]() -> QWidget* {
                if (overlapEdit_->isVisible() && overlapEdit_->isEnabled()) {
                    return overlapEdit_;
                }
                // No overlap field with one projector: the value still takes effect.
                basicGamma_->CommitField();
                return nullptr;
            },
        },
        Context(), basicGroup_);
    basicGamma_->Place(156, 20, EditWidth);

    advancedBox_ = MakeCheckBox(frame, "AdvanceModeCheckBox",
                                QStringLiteral("Edge Feathering Advanced Mode"), 12, 56, 240);
    connect(advancedBox_, &QCheckBox::toggled, this, &DisplaySetupPage::AdvanceModeCheckBoxClick);
    advancedBox_->hide();

    featherCurveGroup_ = new QGroupBox(frame);
    featherCurveGroup_->setObjectName(QStringLiteral("FeatherRadioGroup"));
    featherCurveGroup_->setGeometry(6, 78, ColumnWidth - 12, 30);
    featherCurve_ = new QButtonGroup(featherCurveGroup_);
    const char* const curves[CurveItems] = {"S-Curve", "Linear"};
    for (int item = 0; item < CurveItems; ++item) {
        auto* radio = new QRadioButton(QString::fromLatin1(curves[item]), featherCurveGroup_);
        radio->setObjectName(QStringLiteral("FeatherRadioGroupItem%1").arg(item));
        radio->setGeometry(10 + item * 110, 5, 100, RowHeight);
        featherCurve_->addButton(radio, item);
    }
    connect(featherCurve_, &QButtonGroup::idClicked, this,
            &DisplaySetupPage::FeatherRadioGroupClick);
    // The service view shows it; no curve is chosen until a fill or the user chooses one.
    featherCurveGroup_->hide();
}

QString DisplaySetupPage::OverlapText() const {
    return overlapEdit_->text();
}

void DisplaySetupPage::SetOverlapText(const QString& text) {
    overlapEdit_->setText(text);
}

void DisplaySetupPage::SetMaxOverlap(int maxOverlap) {
    maxOverlap_ = maxOverlap;
}

void DisplaySetupPage::ApplyEdgeFeatheringMode() {
    const bool advanced = advancedBox_->isChecked();
    // With one projector there is no edge to feather as a group.
    basicGroup_->setVisible(!advanced && projectorCount_ != 1);
    for (ChannelGroup* group : channels_) {
        group->SetAdvancedShown(advanced);
    }
}

void DisplaySetupPage::FillDisplayPage() {
    UpdatingControlsGuard updating(Context().State);
    for (ChannelGroup* group : channels_) {
        group->Fill();
    }
    const OutputSettings& unit1 = Context().Model.Channels.UnitOutput(1);
    advancedBox_->setChecked(unit1.ControlMode != 0);
    FillBasicFeather();
    FillOverlap();
    if (unit1.FeatherCurve == 'S' || unit1.FeatherCurve == 'L') {
        featherCurve_->button(unit1.FeatherCurve == 'S' ? 0 : 1)->setChecked(true);
    }
    seamBridgeTwin_->setChecked(unit1.SeamBridge != 0);
    if (unit1.BridgeThreshold != 0) {
        thresholdTwin_->SetText(QString::number(unit1.BridgeThreshold));
    }
}

void DisplaySetupPage::FillTestPattern(int channel) {
    if (ChannelGroup* group = Group(channel)) {
        UpdatingControlsGuard updating(Context().State);
        group->FillTestPattern();
    }
}

void DisplaySetupPage::FillBlackLevel(int channel) {
    if (ChannelGroup* group = Group(channel)) {
        UpdatingControlsGuard updating(Context().State);
        group->FillBlackLevel();
    }
}

void DisplaySetupPage::FillBasicFeather() {
    UpdatingControlsGuard updating(Context().State);
    const OutputSettings& unit1 = Context().Model.Channels.UnitOutput(1);
    basicGamma_->SetText(QString::fromStdString(FormatGeneral(unit1.BasicGamma, BasicGammaDigits)));
    basicBox_->setChecked(unit1.BasicFeatherOn != 0);
}

void DisplaySetupPage::FillOverlap() {
    UpdatingControlsGuard updating(Context().State);
    const OutputSettings& unit1 = Context().Model.Channels.UnitOutput(1);
    overlapEdit_->setText(QString::number(unit1.DisplayOverlap));
    dataDoubleBox_->setChecked(unit1.DataDoubling != 0);
}

void DisplaySetupPage::ShowChannels(int count) {
    projectorCount_ = count;
    const bool several = count > 1;
    dataDoubleGroup_->setVisible(several);
    advancedBox_->setVisible(several);
    ApplyEdgeFeatheringMode();

    for (ChannelGroup* group : channels_) {
        const int channel = group->Channel();
        group->setVisible(channel <= count);
        if (channel > 1 && channel < ScreenCount) {
            group->SetRightEdgeShown(channel < count);
        }
    }
    screenPageControl_->SetPageShown(SecondSubPage, count >= FirstChannelOfSecondSubPage);
}

void DisplaySetupPage::SetServiceView(bool on) {
    featherCurveGroup_->setVisible(on);
    for (ChannelGroup* group : channels_) {
        group->SetServiceView(on);
    }
}

void DisplaySetupPage::EnableCalculatedControls() {
    screenPageControl_->setEnabled(true);
    basicBox_->setEnabled(true);
    basicGamma_->SetEnabled(true);
}

QWidget* DisplaySetupPage::FirstTestPatternList() const {
    const int channel =
        screenPageControl_->currentIndex() == SecondSubPage ? FirstChannelOfSecondSubPage : 1;
    return Group(channel)->TestPatternList();
}

ChannelGroup* DisplaySetupPage::Group(int channel) const {
    return channel >= 1 && channel <= ScreenCount ? channels_[static_cast<std::size_t>(channel - 1)]
                                                  : nullptr;
}

ControlCommand DisplaySetupPage::TestPatternFromControls(int screen) const {
    const ChannelGroup* group = Group(screen);
    return group != nullptr ? group->TestPatternFromControls() : ControlCommand{};
}

ControlCommand DisplaySetupPage::BlackLevelFromControls(int screen) const {
    const ChannelGroup* group = Group(screen);
    return group != nullptr ? group->BlackLevelFromControls() : ControlCommand{};
}

ControlCommand DisplaySetupPage::HaloFromControls(int screen, EdgeSide side) const {
    const ChannelGroup* group = Group(screen);
    return group != nullptr ? group->HaloFromControls(side) : ControlCommand{};
}

ControlCommand DisplaySetupPage::EdgeFeatherFromControls(int screen, EdgeSide side) const {
    const ChannelGroup* group = Group(screen);
    return group != nullptr ? group->EdgeFeatherFromControls(side) : ControlCommand{};
}

ControlCommand DisplaySetupPage::DataDoublingFromControls() const {
    return ControlCommand::Of(Command::DataDoubling(dataDoubleBox_->isChecked() ? 1 : 0));
}

ControlCommand DisplaySetupPage::BasicFeatheringFromControls() const {
    const NumericFieldRules& spec = basicGamma_->Spec();
    const std::optional<double> gamma = basicGamma_->Value();
    if (!gamma || *gamma < spec.Lower.Value() || *gamma > spec.Upper.Value()) {
        return ControlCommand::Refused();
    }
    return ControlCommand::Of(
        Command::BasicFeathering(basicBox_->isChecked() ? 1 : 0, static_cast<float>(*gamma)));
}

ControlCommand DisplaySetupPage::ControlModeFromControls() const {
    return ControlCommand::Of(Command::ControlMode(advancedBox_->isChecked() ? 1 : 0));
}

void DisplaySetupPage::SetSeamBridgeTwin(bool checked) {
    seamBridgeTwin_->setChecked(checked);
}

void DisplaySetupPage::SetBridgeThresholdTwinText(const QString& text) {
    thresholdTwin_->SetText(text);
}

QString DisplaySetupPage::BridgeThresholdTwinText() const {
    return thresholdTwin_->Text();
}

void DisplaySetupPage::TakeBackBridgeThresholdTwin(const QString& text) {
    thresholdTwin_->SetText(text);
    thresholdTwin_->Edit()->TakeFocusBack();
}

std::optional<double> DisplaySetupPage::BasicGammaForSend() {
    const NumericFieldRules& spec = basicGamma_->Spec();
    const std::optional<double> gamma = basicGamma_->Value();
    if (!gamma) {
        Context().ShowMessage(QStringLiteral("Error! '") + basicGamma_->Text() +
                              spec.InvalidNumberEnding);
        return std::nullopt;
    }
    // The unit refuses a gamma outside its range, and a refused command is resent for ever.
    if (*gamma < spec.Lower.Value() || *gamma > spec.Upper.Value()) {
        Context().ShowMessage(spec.BoundsMessage + spec.RangeText);
        return std::nullopt;
    }
    return gamma;
}

void DisplaySetupPage::BasicEdgeFeatheringCheckBoxClick() {
    BusyGuard busy(Context().State);
    if (!busy || !Context().MayCommit()) {
        return;
    }
    const std::optional<double> gamma = BasicGammaForSend();
    if (!gamma) {
        return;
    }
    const int on = basicBox_->isChecked() ? 1 : 0;
    SendToUnits(Context(), this, [on, gamma](CommandEncoders& encoders, int unit) {
        return encoders.SendBasicFeathering(unit, on, static_cast<float>(*gamma));
    });
}

void DisplaySetupPage::AdvanceModeCheckBoxClick() {
    // A fill that changed the box: only the view follows it.
    if (Context().State.UpdatingControls) {
        ApplyEdgeFeatheringMode();
        return;
    }
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    if (Context().MayCommit()) {
        const int mode = advancedBox_->isChecked() ? 1 : 0;
        // Each unit's outputs are read back afterwards and the page refilled.
        const QPointer<DisplaySetupPage> self(this);
        const UnitsSent sent =
            SendToUnits(Context(), this, [self, mode](CommandEncoders& encoders, int unit) {
                const SendResult result = encoders.SendControlMode(unit, mode);
                if (result == SendResult::Done && self) {
                    self->FillDisplayPage();
                }
                return result;
            });
        if (sent == UnitsSent::Gone) {
            return;
        }
    }
    ApplyEdgeFeatheringMode();
}

void DisplaySetupPage::FeatherRadioGroupClick() {
    BusyGuard busy(Context().State);
    if (!busy || !Context().MayCommit()) {
        return;
    }
    const char curve = FeatherCurveLetter(featherCurve_->checkedId());
    SendToUnits(Context(), this, [curve](CommandEncoders& encoders, int unit) {
        return encoders.SendFeatherCurve(unit, curve);
    });
}

void DisplaySetupPage::EnDataDoubleCheckBoxClick() {
    BusyGuard busy(Context().State);
    if (!busy || !Context().MayCommit()) {
        return;
    }
    const int on = dataDoubleBox_->isChecked() ? 1 : 0;
    SendToUnits(Context(), this, [on](CommandEncoders& encoders, int unit) {
        return encoders.SendDataDoubling(unit, on);
    });
}

void DisplaySetupPage::SystemSaveButtonClick() {
    BusyGuard busy(Context().State);
    if (!busy || !Context().MaySend()) {
        return;
    }
    SendToUnits(Context(), this,
                [](CommandEncoders& encoders, int unit) { return encoders.SendSystemSave(unit); });
}

void DisplaySetupPage::ResetButtonClick() {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    TTarvelForm* form = Context().Form;
    // "File" and "Search" stay out of reach while the units reset; they come back as they were.
    QPointer<QAction> menus[] = {
        form != nullptr ? form->MenuAction(QStringLiteral("File1")) : nullptr,
        form != nullptr ? form->MenuAction(QStringLiteral("SearchforZelvars1")) : nullptr,
    };
    bool wasEnabled[std::size(menus)] = {};
    for (std::size_t i = 0; i < std::size(menus); ++i) {
        if (menus[i]) {
            wasEnabled[i] = menus[i]->isEnabled();
            menus[i]->setEnabled(false);
        }
    }
    const QPointer<DisplaySetupPage> self(this);
    if (Context().MaySend() && Context().Messages.YesNo(ResetQuestion, ResetCaption) && self) {
        QPointer<TInfoForm> progress = form != nullptr ? &form->InfoForm() : nullptr;
        if (progress) {
            progress->ShowProgress(ResetProgress);
        }
        SendToUnits(Context(), this, [](CommandEncoders& encoders, int unit) {
            return encoders.SendReset(unit, 'F');
        });
        if (progress) {
            progress->HideProgress();
        }
    }
    for (std::size_t i = 0; i < std::size(menus); ++i) {
        if (menus[i]) {
            menus[i]->setEnabled(wasEnabled[i]);
        }
    }
}

} // namespace tarvel
