#include "ui/pages/PlanningPage.h"

#include "config/NumberFormat.h"
#include "config/PlanningLists.h"
#include "config/PlanningReport.h"
#include "device/CommandEncoders.h"
#include "device/DeviceLink.h"
#include "ui/BusyCursorScope.h"
#include "ui/BusyGuard.h"
#include "ui/ConfigurationTransfer.h"
#include "ui/FieldEdit.h"
#include "ui/KeyboardLengthLimit.h"
#include "ui/PlainLineList.h"
#include "ui/ProjPlaceImage.h"
#include "ui/ProjectorImage.h"
#include "ui/ReportMemo.h"
#include "ui/SpinButtons.h"
#include "ui/TTarvelForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/InformationPage.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include <optional>

namespace tarvel {

namespace {

constexpr int SizeLimit = 6; // characters of each output size
constexpr int PageFontPixels = 11;
constexpr int IniSizeDigits = 5;

// The instruction panel, word for word.
const char* const InstructionLines[] = {
    "- If Zelvar(s) are connected to the PC/laptop, click on the \"Serial Port->Search for "
    "Zelvar(s)->Search\" menu and establish connection to the Zelvar(s).",
    "- If connection with Zelvar(s) has been established and changes done to Zelvar(s) via "
    "front panel, click on the \"Serial Port->Read from Zelvar(s)\" to update the Tarvel.",
    "",
    "1) Enter the Horizontal size and Vertical size of the output screen in the given edit "
    "boxes. ",
    "2) Select the Projectors Native Resolution from the drop down box. ",
    "When done, click the \"Calculate\" button. Tarvel will calculate the output aspect ratio, "
    "number of projectors, projector overlap, and input image size requirements.",
    "NOTE: Manually selecting number of projectors required will alter Image Size, Output "
    "Aspect Ratio requirements",
    "            If number of projectors exceed 4, a second Zelvar unit is required.",
};

// The projector colours. The boxes take theirs from these labels: this is the one place the
// colours are defined.
constexpr int LegendColours[8][3] = {
    {255, 255, 0}, {255, 0, 0},   {0, 0, 255},   {0, 255, 0},
    {255, 0, 255}, {0, 255, 255}, {128, 0, 128}, {0, 128, 128},
};

const QString NotDetectedByController =
    QStringLiteral("Zelvar not detected by Controller.\n(1)Check cables.\n(2)Make sure the "
                   "Zelvar has booted up completely and reboot the Controller.");

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename Items>
QComboBox* MakeList(QWidget* parent, const char* name, const Items& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (const auto& item : items) {
        list->addItem(FromStd(item));
    }
    list->setCurrentIndex(-1); // nothing chosen until Tarvel.ini or the start-up defaults
    return list;
}

FieldEdit* MakeEdit(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* edit = new FieldEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setText(QString::fromLatin1(text));
    edit->setGeometry(geometry);
    return edit;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QRect geometry, const char* name = nullptr,
                  bool bold = false) {
    auto* label = new QLabel(text, parent);
    if (name != nullptr) {
        label->setObjectName(QString::fromLatin1(name));
    }
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->setGeometry(geometry);
    return label;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* title, QRect geometry) {
    auto* group = new QGroupBox(QString::fromLatin1(title), parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(geometry);
    return group;
}

void SetText(QLineEdit* edit, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (edit->text() != value) {
        edit->setText(value); // only when it differs: an edit being typed in keeps its cursor
    }
}

void SetText(QLabel* label, const std::string& text) {
    label->setText(QString::fromStdString(text));
}

void Select(QComboBox* list, int index) {
    if (list->currentIndex() != index) {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(index);
    }
}

// Unit 2 takes the value after unit 1 did: sent, or (without a link) stored only.
bool UnitTookIt(SendResult result) {
    return result == SendResult::Done || result == SendResult::NotSent;
}

} // namespace

PlanningPage::PlanningPage(const UiContext& context, QWidget* parent)
    : TabPage("PlanningTabSheet", context, parent), calc_(*this), rects_(InitialProjectorRects()) {
    // The layout is drawn for a small dialog font, the pictures' texts included.
    QFont pageFont = font();
    pageFont.setPixelSize(PageFontPixels);
    setFont(pageFont);
    BuildInstructions();
    projectorImage_ = new ProjectorImage(this);
    projectorImage_->move(0, 113);
    BuildLegend();
    BuildCalculator();
    BuildResults();
    ConnectHandlers();
}

void PlanningPage::BuildInstructions() {
    QStringList lines;
    for (const char* line : InstructionLines) {
        lines << QString::fromLatin1(line);
    }
    instructions_ =
        new PlainLineList(this, "InstructionListBox", QRect(0, 0, 905, 113), lines, PageFontPixels);
}

void PlanningPage::BuildLegend() {
    QGroupBox* group =
        MakeGroup(this, "ColorLegendGroupBox", "Projector Color Legend", QRect(216, 223, 457, 37));
    QFont font = group->font();
    font.setPixelSize(10);
    for (std::size_t i = 0; i < legendLabels_.size(); ++i) {
        const int projector = static_cast<int>(i) + 1;
        QLabel* label =
            MakeLabel(group, QStringLiteral("Projector %1").arg(projector),
                      QRect(6 + 56 * static_cast<int>(i), 16, 54, 16),
                      QStringLiteral("Projector%1Label").arg(projector).toLatin1().constData());
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window,
                         QColor(LegendColours[i][0], LegendColours[i][1], LegendColours[i][2]));
        // Black on the light colours, white on the dark ones, so every caption stays legible.
        palette.setColor(QPalette::WindowText,
                         LegendColours[i][1] >= 255 || LegendColours[i][0] >= 255 ? Qt::black
                                                                                  : Qt::white);
        label->setPalette(palette);
        legendLabels_[i] = label;
    }
}

void PlanningPage::BuildCalculator() {
    QGroupBox* group =
        MakeGroup(this, "CalcGroupBox",
                  "Calculate Aspect Ratio, Number of Screens, Data Overlap, and Input Image Size",
                  QRect(0, 267, 905, 126));

    QGroupBox* sizes =
        MakeGroup(group, "OutputScreenSizeGroupBox", "Output Screen Size", QRect(8, 16, 140, 104));
    MakeLabel(sizes, QStringLiteral("Horizontal"), QRect(8, 22, 62, 17));
    horizontalOutEdit_ = MakeEdit(sizes, "HorizontalOutEdit", "30", QRect(72, 20, 58, 21));
    MakeLabel(sizes, QStringLiteral("Vertical"), QRect(8, 48, 62, 17));
    verticalOutEdit_ = MakeEdit(sizes, "VerticalOutEdit", "10", QRect(72, 46, 58, 21));
    KeyboardLengthLimit::Apply(horizontalOutEdit_, SizeLimit);
    KeyboardLengthLimit::Apply(verticalOutEdit_, SizeLimit);
    calcOutButton_ = new QPushButton(QStringLiteral("Calculate"), sizes);
    calcOutButton_->setObjectName(QStringLiteral("CalcOutButton"));
    calcOutButton_->setGeometry(8, 74, 122, 25);

    std::array<std::string_view, ProjectorResolutions.size()> resolutions{};
    for (std::size_t i = 0; i < resolutions.size(); ++i) {
        resolutions[i] = ProjectorResolutions[i].Item;
    }
    MakeLabel(group, QStringLiteral("Projector Native Resolution"), QRect(156, 22, 160, 17));
    projectorResComboBox_ = MakeList(group, "ProjectorResComboBox", resolutions);
    projectorResComboBox_->setGeometry(318, 20, 104, 22);
    MakeLabel(group, QStringLiteral("Number of Projectors"), QRect(156, 48, 160, 17));
    numOfScreenComboBox_ = MakeList(group, "NumOfScreenComboBox", ProjectorCountItems);
    numOfScreenComboBox_->setGeometry(318, 46, 104, 22);
    MakeLabel(group, QStringLiteral("Input Material Alignment"), QRect(156, 74, 160, 17));
    imageAlignComboBox_ = MakeList(group, "ImageAlignComboBox", AlignmentItems);
    imageAlignComboBox_->setGeometry(318, 72, 104, 22);
    // The first calculation enables these two.
    numOfScreenComboBox_->setEnabled(false);
    imageAlignComboBox_->setEnabled(false);

    // Under the lists, in two lines where one would run into "Number of Zelvar(s) required:".
    resolutionNoteLabel_ =
        MakeLabel(group, FromStd(ResolutionNote), QRect(156, 97, 274, 27), "ResolutionNoteLabel");
    resolutionNoteLabel_->setWordWrap(true);
    QFont noteFont = resolutionNoteLabel_->font();
    noteFont.setBold(true);
    resolutionNoteLabel_->setFont(noteFont);
    QPalette notePalette = resolutionNoteLabel_->palette();
    notePalette.setColor(QPalette::WindowText, Qt::red);
    resolutionNoteLabel_->setPalette(notePalette);
    resolutionNoteLabel_->hide();

    MakeLabel(group, QStringLiteral("Projector Overlap:"), QRect(432, 22, 170, 17));
    overlapEdit_ = MakeEdit(group, "OWidthPlanningEdit", "64", QRect(604, 20, 44, 21));
    overlapUpDown_ = new SpinButtons(group);
    overlapUpDown_->setObjectName(QStringLiteral("OWidthPlanningUpDown"));
    overlapUpDown_->setGeometry(648, 20, SpinButtons::Width, 21);
}

void PlanningPage::BuildResults() {
    auto* group = findChild<QGroupBox*>(QStringLiteral("CalcGroupBox"));
    MakeLabel(group, QStringLiteral("Input Image Size Required:"), QRect(432, 48, 170, 17));
    // Wide enough for five bold digits (eight 1400-pixel projectors).
    imageSizeHLabel_ =
        MakeLabel(group, QStringLiteral("N/A"), QRect(604, 48, 40, 17), "ImageSizeHLabel", true);
    MakeLabel(group, QStringLiteral("x"), QRect(645, 48, 8, 17));
    imageSizeVLabel_ =
        MakeLabel(group, QStringLiteral("N/A"), QRect(655, 48, 40, 17), "ImageSizeVLabel", true);
    MakeLabel(group, QStringLiteral("Output Aspect Ratio:"), QRect(432, 74, 170, 17));
    aspectRatioLabel_ =
        MakeLabel(group, QStringLiteral("?"), QRect(604, 74, 34, 17), "OutAspectRatioLabel", true);
    MakeLabel(group, QStringLiteral(":1"), QRect(640, 74, 14, 17), nullptr, true);
    MakeLabel(group, QStringLiteral("Number of Zelvar(s) required:"), QRect(432, 100, 170, 17));
    unitsRequiredLabel_ =
        MakeLabel(group, QStringLiteral("N/A"), QRect(604, 100, 40, 17), "NumOfZelvarsLabel", true);

    QGroupBox* lens =
        MakeGroup(group, "LensThrowGroupBox", "Lens Throw Distance", QRect(700, 16, 197, 104));
    MakeLabel(lens, QStringLiteral("Projected Width :"), QRect(8, 22, 118, 17));
    projectedWidthLabel_ =
        MakeLabel(lens, QStringLiteral("N/A"), QRect(128, 22, 60, 17), "ProjectedWidthLabel", true);
    MakeLabel(lens, QStringLiteral("Lens Magnification :"), QRect(8, 48, 118, 17));
    lensMagEdit_ = MakeEdit(lens, "LensMagEdit", "0", QRect(128, 46, 36, 21));
    MakeLabel(lens, QStringLiteral(":1"), QRect(166, 48, 14, 17));
    MakeLabel(lens, QStringLiteral("Lens Throw Distance"), QRect(8, 74, 118, 17));
    lensThrowLabel_ =
        MakeLabel(lens, QStringLiteral("N/A"), QRect(128, 74, 60, 17), "LensThrowLabel", true);

    QGroupBox* report = MakeGroup(this, "ImageContentGroupBox",
                                  "Image Content Creation Requirement", QRect(0, 392, 417, 145));
    reportMemo_ = new ReportMemo(report);
    reportMemo_->setObjectName(QStringLiteral("ImageContentMemo"));
    reportMemo_->setGeometry(2, 15, 413, 128);

    QGroupBox* placement = MakeGroup(this, "ProjectorPlacementGroupBox", "Projector Placement",
                                     QRect(424, 392, 481, 145));
    projPlaceImage_ = new ProjPlaceImage(placement);
    projPlaceImage_->move(2, 15);
}

void PlanningPage::ConnectHandlers() {
    connect(calcOutButton_, &QPushButton::clicked, this, &PlanningPage::CalcOutButtonClick);
    // The lists run their handlers when the user picks; the program's selections do not.
    connect(projectorResComboBox_, &QComboBox::activated, this,
            &PlanningPage::ProjectorResComboBoxChange);
    connect(numOfScreenComboBox_, &QComboBox::activated, this,
            &PlanningPage::NumOfScreenComboBoxChange);
    connect(imageAlignComboBox_, &QComboBox::activated, this,
            &PlanningPage::ImageAlignComboBoxChange);
    connect(overlapEdit_, &FieldEdit::Left, this, &PlanningPage::OWidthPlanningEditExit);
    connect(overlapUpDown_, &SpinButtons::Stepped, this, &PlanningPage::OWidthPlanningUpDownClick);
    connect(lensMagEdit_, &FieldEdit::Left, this, &PlanningPage::LensMagEditExit);
    connect(verticalOutEdit_, &FieldEdit::Left, this, &PlanningPage::VerticalOutEditExit);

    // Enter moves on; leaving the field then runs its exit handler.
    const auto enterMoves = [this](FieldEdit* from, QWidget* to) {
        connect(from, &FieldEdit::EnterPressed, this, [to] { to->setFocus(Qt::OtherFocusReason); });
    };
    enterMoves(horizontalOutEdit_, verticalOutEdit_);
    enterMoves(verticalOutEdit_, calcOutButton_);
    enterMoves(lensMagEdit_, horizontalOutEdit_);
    enterMoves(overlapEdit_, horizontalOutEdit_);
}

// ----- Tarvel.ini and the first showing -----

void PlanningPage::ApplyIniSettings(const IniSettings& settings) {
    horizontalOutEdit_->setText(
        QString::fromStdString(FormatGeneral(settings.HorizontalOutSize, IniSizeDigits)));
    verticalOutEdit_->setText(
        QString::fromStdString(FormatGeneral(settings.VerticalOutSize, IniSizeDigits)));
    Select(numOfScreenComboBox_, settings.ProjectorCountIndex);
    Select(imageAlignComboBox_, settings.AlignmentIndex);
    Select(projectorResComboBox_, settings.ResolutionIndex);
    overlapEdit_->setText(QString::number(settings.OverlapWidth));
}

QString PlanningPage::HorizontalOutText() const {
    return horizontalOutEdit_->text();
}

QString PlanningPage::VerticalOutText() const {
    return verticalOutEdit_->text();
}

int PlanningPage::ProjectorCountIndex() const {
    return numOfScreenComboBox_->currentIndex();
}

int PlanningPage::AlignmentIndex() const {
    return imageAlignComboBox_->currentIndex();
}

int PlanningPage::ResolutionIndex() const {
    return projectorResComboBox_->currentIndex();
}

void PlanningPage::SetUpProjectorRects() {
    rects_ = InitialProjectorRects();
}

void PlanningPage::ApplyStartupDefaults(bool iniLoaded) {
    ReadControls();
    calc_.ApplyStartupDefaults(iniLoaded);
    ShowControls();
}

void PlanningPage::Calculate() {
    CalcOutButtonClick();
}

// ----- Handlers -----

void PlanningPage::CalcOutButtonClick() {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    calcOutButton_->setEnabled(false);
    struct Enable {
        QPushButton* Button;
        ~Enable() { Button->setEnabled(true); }
    } enableAgain{calcOutButton_};
    ReadControls();
    calc_.Calculate();
    ShowControls();
}

void PlanningPage::ProjectorResComboBoxChange() {
    ReadControls();
    calc_.ChangeResolution();
    ShowControls();
}

void PlanningPage::NumOfScreenComboBoxChange() {
    std::optional<BusyCursorScope> cursor;
    if (Context().Observer != nullptr) {
        cursor.emplace(*Context().Observer);
    }
    ReadControls();
    calc_.ChangeProjectorCount();
    ShowControls();
}

void PlanningPage::ImageAlignComboBoxChange() {
    ReadControls();
    calc_.ChangeAlignment();
    ShowControls();
}

void PlanningPage::OWidthEditExit() {
    ReadControls();
    const std::string typed = calc_.Controls.Overlap;
    if (calc_.CommitOverlap()) {
        // The report names the image size, which follows the overlap.
        calc_.RebuildReport();
        ShowControls();
        return;
    }
    if (CheckOverlapEntry(typed, calc_.Controls.MaxOverlap).Entry == OverlapEntry::NotANumber) {
        ShowControls(); // the text stays for the user to correct
        return;
    }
    RestoreOverlap();
}

void PlanningPage::OWidthPlanningEditExit() {
    if (DisplaySetupPage* display = Display()) {
        display->SetOverlapText(overlapEdit_->text());
    }
    OWidthEditExit();
}

void PlanningPage::RestoreOverlap() {
    DisplaySetupPage* display = Display();
    if (display == nullptr) {
        return;
    }
    display->FillOverlap();
    const SystemSettings& system = Context().Model.System;
    if (!system.ReadValid && !system.FileValid) {
        // Nothing read or loaded: the model holds no overlap of the units, so the value the
        // field showed before the edit comes back.
        display->SetOverlapText(lastShownOverlap_);
    }
    calc_.Controls.Overlap = display->OverlapText().toStdString();
    ShowControls();
}

void PlanningPage::OWidthUpDownClick(bool up) {
    const DisplaySetupPage* display = Display();
    SpinOverlap(up, display != nullptr ? display->OverlapText() : overlapEdit_->text());
}

void PlanningPage::OWidthPlanningUpDownClick(bool up) {
    // The arrows step the field they sit beside, typed text included.
    SpinOverlap(up, overlapEdit_->text());
}

void PlanningPage::SpinOverlap(bool up, const QString& text) {
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    ReadControls();
    calc_.Controls.Overlap = text.toStdString();
    if (!ParseInt(calc_.Controls.Overlap)) {
        Context().ShowMessage(QStringLiteral("'%1' is not a valid integer value").arg(text));
        calc_.Controls.Overlap = Display() != nullptr ? Display()->OverlapText().toStdString()
                                                      : overlapEdit_->text().toStdString();
        return;
    }
    calc_.SpinOverlap(up);
    ShowControls();
}

void PlanningPage::OWidthEditEnter() {
    if (DisplaySetupPage* display = Display()) {
        if (QWidget* list = display->FirstTestPatternList()) {
            list->setFocus(Qt::OtherFocusReason);
        }
    }
}

void PlanningPage::LensMagEditExit() {
    ReadControls();
    calc_.RunLensStep();
    ShowControls();
}

void PlanningPage::VerticalOutEditExit() {
    LensMagEditExit();
}

// ----- After a read of the units -----

void PlanningPage::FillPlanningPage() {
    ReadControls();
    const SettingsModel& model = Context().Model;
    const OutputSettings& unit = model.Channels.UnitOutput(1);
    if (Context().Form != nullptr && Context().Form->isVisible()) {
        if (const auto warning =
                UnitsMismatchWarning(calc_.Controls.CountIndex, calc_.Controls.AlignmentIndex,
                                     unit.TotalProjectors, unit.ImageAlignment)) {
            ShowMessage(*warning, PlanningFocus::None);
        }
    }
    PlanningCalculator::UnitPlanning units;
    units.TotalProjectors = unit.TotalProjectors;
    units.ImageAlignment = unit.ImageAlignment;
    units.DisplayOverlap = unit.DisplayOverlap;
    units.MeasuredInputWidth = tarvel::MeasuredInputWidth(model);
    units.MeasuredInputHeight = MeasuredInputHeight(model);
    units.UnitOutputResH = model.System.UnitOutputResH;
    units.UnitOutputResV = model.System.UnitOutputResV;
    calc_.FillFromUnits(units);
    // The views that follow the projector count follow the units' count too: the channel
    // groups and selectors, the report and the number of units needed.
    const int count = calc_.SelectedCount();
    ShowProjectorCount(count);
    calc_.RebuildReport();
    calc_.Controls.UnitsRequired = UnitsRequired(count).UnitsText;
    ShowControls();
}

double PlanningPage::PlannedProjectorCount() const {
    return calc_.Values.ProjectorCount;
}

int PlanningPage::SelectedProjectorCount() const {
    return calc_.SelectedCount();
}

// ----- Widgets and Controls -----

DisplaySetupPage* PlanningPage::Display() const {
    return Context().Form != nullptr ? &Context().Form->DisplaySetup() : nullptr;
}

bool PlanningPage::IsActivePage() const {
    const TTarvelForm* form = Context().Form;
    return form == nullptr || form->PageControl()->currentWidget() == this;
}

void PlanningPage::ReadControls() {
    PlanningControls& c = calc_.Controls;
    c.HorizontalOut = horizontalOutEdit_->text().toStdString();
    c.VerticalOut = verticalOutEdit_->text().toStdString();
    c.LensMagnification = lensMagEdit_->text().toStdString();
    const DisplaySetupPage* display = Display();
    c.Overlap = (display != nullptr ? display->OverlapText() : overlapEdit_->text()).toStdString();
    c.ResolutionIndex = projectorResComboBox_->currentIndex();
    c.CountIndex = numOfScreenComboBox_->currentIndex();
    c.AlignmentIndex = imageAlignComboBox_->currentIndex();
}

void PlanningPage::ShowControls() {
    UpdatingControlsGuard updating(Context().State);
    const PlanningControls& c = calc_.Controls;
    SetText(horizontalOutEdit_, c.HorizontalOut);
    SetText(verticalOutEdit_, c.VerticalOut);
    SetText(lensMagEdit_, c.LensMagnification);
    SetText(overlapEdit_, c.Overlap);
    if (DisplaySetupPage* display = Display()) {
        if (display->OverlapText().toStdString() != c.Overlap) {
            display->SetOverlapText(QString::fromStdString(c.Overlap));
        }
        display->SetMaxOverlap(c.MaxOverlap); // kept with the overlap arrows
    }
    if (ParseInt(c.Overlap)) {
        lastShownOverlap_ = QString::fromStdString(c.Overlap);
    }
    Select(projectorResComboBox_, c.ResolutionIndex);
    Select(numOfScreenComboBox_, c.CountIndex);
    Select(imageAlignComboBox_, c.AlignmentIndex);
    resolutionNoteLabel_->setVisible(c.ResolutionNoteShown);
    SetText(imageSizeHLabel_, c.ImageSizeH);
    SetText(imageSizeVLabel_, c.ImageSizeV);
    SetText(aspectRatioLabel_, c.AspectRatio);
    SetText(unitsRequiredLabel_, c.UnitsRequired);
    SetText(projectedWidthLabel_, c.ProjectedWidth);
    SetText(lensThrowLabel_, c.LensThrow);
    QStringList report;
    for (const std::string& line : c.Report) {
        report << QString::fromStdString(line);
    }
    reportMemo_->SetLines(report);
    if (Context().Form != nullptr) {
        std::array<QString, 8> start;
        std::array<QString, 8> end;
        for (std::size_t i = 0; i < start.size(); ++i) {
            start[i] = QString::fromStdString(c.PositionStart[i]);
            end[i] = QString::fromStdString(c.PositionEnd[i]);
        }
        Context().Form->Information().ShowImagePositions(start, end);
    }
    Redraw();
}

void PlanningPage::Redraw() {
    const PlanningValues& values = calc_.Values;
    const int count = calc_.SelectedCount();
    const auto overlap = ParseInt(calc_.Controls.Overlap);
    if (overlap && values.ProjectorResH > 0) {
        LayOutProjectorRects(rects_, count, *overlap, values.ProjectorResH);
    }
    std::vector<ProjectorImage::Box> boxes;
    for (int k = 0; k < count; ++k) {
        const auto at = static_cast<std::size_t>(k);
        boxes.push_back({rects_[at], legendLabels_[at]->palette().color(QPalette::Window)});
    }
    projectorImage_->SetBoxes(std::move(boxes));
    projPlaceImage_->SetRuler(horizontalOutEdit_->text(),
                              RulerMarks(values, count, ProjPlaceImage::PictureWidth));
}

// ----- PlanningHost -----

void PlanningPage::ShowMessage(std::string_view text, PlanningFocus focus) {
    Context().ShowMessage(FromStd(text));
    FieldEdit* target = nullptr;
    switch (focus) {
    case PlanningFocus::None:
        break;
    case PlanningFocus::HorizontalOut:
        target = horizontalOutEdit_;
        break;
    case PlanningFocus::VerticalOut:
        target = verticalOutEdit_;
        break;
    case PlanningFocus::LensMagnification:
        target = lensMagEdit_;
        break;
    case PlanningFocus::Overlap:
        target = IsActivePage() || Display() == nullptr ? overlapEdit_ : Display()->OverlapEdit();
        break;
    }
    if (target != nullptr) {
        target->TakeFocusBack();
    }
}

void PlanningPage::ShowStatus(std::string_view text) {
    Context().ShowStatus(FromStd(text));
}

bool PlanningPage::RefreshFromUnits() {
    if (!Context().IsConnected() || Context().Link == nullptr) {
        return true;
    }
    std::optional<BusyCursorScope> cursor;
    if (Context().Observer != nullptr) {
        cursor.emplace(*Context().Observer);
    }
    if (ConfigurationTransfer::ReadUnits(Context(), UnitNaming::Numbered)) {
        return true;
    }
    Context().ShowStatus(QString());
    return false;
}

void PlanningPage::EnableCalculatedControls() {
    numOfScreenComboBox_->setEnabled(true);
    imageAlignComboBox_->setEnabled(true);
    if (TTarvelForm* form = Context().Form) {
        form->DisplaySetup().EnableCalculatedControls();
        form->Information().ShowResetButton();
    }
}

bool PlanningPage::ReadValid() const {
    return Context().Model.System.ReadValid;
}

int PlanningPage::MeasuredInputWidth() const {
    return tarvel::MeasuredInputWidth(Context().Model);
}

bool PlanningPage::CheckUnitCountForMode() {
    if (!Context().IsConnected() || Context().Link == nullptr) {
        return true;
    }
    return Context().Link->CheckUnitCountForMode(PlannedProjectorCount(), SelectedProjectorCount());
}

void PlanningPage::SendProjectorCount(int count) {
    if (!Context().MayCommit() || Context().Link == nullptr) {
        return;
    }
    CommandEncoders& encoders = Context().Link->Encoders();
    if (UnitTookIt(encoders.SendProjectors(1, 0, count)) && Context().Model.System.UnitCount == 2) {
        encoders.SendProjectors(2, 1, count);
    }
}

void PlanningPage::SendDisplayAlignment(int alignmentIndex, int overlapWidth) {
    if (!Context().MayCommit() || Context().Link == nullptr) {
        return;
    }
    CommandEncoders& encoders = Context().Link->Encoders();
    if (UnitTookIt(encoders.SendDisplay(1, alignmentIndex, overlapWidth)) &&
        Context().Model.System.UnitCount == 2) {
        encoders.SendDisplay(2, alignmentIndex, overlapWidth);
    }
}

void PlanningPage::ShowProjectorCount(int count) {
    if (TTarvelForm* form = Context().Form) {
        form->DisplaySetup().ShowChannels(count);
        form->SourceSetup().SetChannelCount(count);
        form->SeamRemoval().SetChannelCount(count);
    }
}

} // namespace tarvel
