#include "ui/pages/UnitInfoPanel.h"

#include "config/NumberFormat.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QSignalBlocker>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>

namespace tarvel {

namespace {

using Text = std::optional<QString>;

QString Number(long long value) {
    return QString::number(value);
}

QString General(double value, int digits) {
    return QString::fromStdString(FormatGeneral(value, digits));
}

QString TrueFalse(std::uint8_t value) {
    return value == 1 ? QStringLiteral("True") : QStringLiteral("False");
}

// The text of a code from its list; none for a code the list lacks.
template <std::size_t N> Text FromList(unsigned code, const std::array<const char*, N>& texts) {
    if (code >= N) {
        return std::nullopt;
    }
    return QString::fromLatin1(texts[code]);
}

constexpr std::array<const char*, 4> SyncTexts{"SOG", "COMP", "H/V", "AUTO"};
constexpr std::array<const char*, 6> FormatTexts{"640x480",   "800x600",  "1024x768",
                                                 "1280x1024", "1280x720", "1400x1050"};
constexpr std::array<const char*, 3> FrameRateTexts{"@ 50Hz", "@ 59.94Hz", "@ 75Hz"};
constexpr std::array<const char*, 2> BlendTexts{"Basic", "Adv"};
constexpr std::array<const char*, 2> GroupTexts{"1-4", "5-8"};
constexpr std::array<const char*, 2> AlignmentTexts{"Left", "Center"};

constexpr int ContrastDigits = 5; // overall contrast and brightness
constexpr int ColourDigits = 4;   // red, green and blue
constexpr int GammaDigits = 3;

constexpr int RowHeight = 19;
constexpr int FirstRowY = 18;
constexpr int CaptionX = 6;
constexpr int Gap = 4;

template <typename Rows> int RowCount(const Rows& rows) {
    return static_cast<int>(rows.size());
}

} // namespace

UnitInfoPanel::UnitInfoPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Zelvar Information"), parent), version1Label_(new QLabel(this)),
      unitsDetectedLabel_(new QLabel(this)), screenList_(new QComboBox(this)) {
    setObjectName(QStringLiteral("InfoGroupBox"));
    const struct {
        const char* Caption;
        QLabel* Value;
        const char* Name;
        int X;
    } heads[] = {
        {"Version :", version1Label_, "Version1Label", 8},
        {"ZV:", unitsDetectedLabel_, "NumOfZelvarDetectedLabel", 128},
    };
    for (const auto& head : heads) {
        auto* caption = new QLabel(QString::fromLatin1(head.Caption), this);
        caption->setGeometry(head.X, 24, caption->sizeHint().width(), 17);
        head.Value->setObjectName(QString::fromLatin1(head.Name));
        head.Value->setGeometry(head.X + caption->width() + 4, 24, 60, 17);
    }
    screenList_->setObjectName(QStringLiteral("ScreenInfoComboBox"));
    for (int screen = 1; screen <= ChannelsPerUnit; ++screen) {
        screenList_->addItem(QStringLiteral("Screen %1").arg(screen));
    }
    screenList_->setGeometry(226, 20, 96, 22);
    connect(screenList_, &QComboBox::activated, this,
            [this](int index) { emit ScreenChosen(index + 1); });

    using In = const InputSettings&;
    using Out = const OutputSettings&;
    const std::vector<Row> inputRows = {
        {"H Active:", "HActiveLabel", [](In i, Out) { return Text(Number(i.HActive)); }},
        {"V Active:", "VActiveLabel", [](In i, Out) { return Text(Number(i.VActive)); }},
        {"Loaded:", "VideoLoadedLabel", [](In i, Out) { return Text(TrueFalse(i.VideoLoaded)); }},
        {"Locked:", "VideoLockedLabel", [](In i, Out) { return Text(TrueFalse(i.VideoLocked)); }},
        {"Phase:", "PhaseOffsetLabel", [](In i, Out) { return Text(Number(i.Phase)); }},
        {"Sync:", "SyncSelLabel", [](In i, Out) { return FromList(i.SyncSelect, SyncTexts); }},
        {"H Total:", "HTotalLabel", [](In i, Out) { return Text(Number(i.HTotal)); }},
        {"H Pos.:", "HPosLabel", [](In i, Out) { return Text(Number(i.HPosition)); }},
        {"V Pos.:", "VPosLabel", [](In i, Out) { return Text(Number(i.VPosition)); }},
        {"Termination:", "InTerminationLabel",
         [](In i, Out) {
             return Text(i.InputTermination == 0 ? QStringLiteral("HI-Z")
                                                 : QStringLiteral("75 Ohm"));
         }},
        {"Contrast:", "CContrastLabel",
         [](In i, Out) { return Text(General(i.OverallContrast, ContrastDigits)); }},
        {"Brightness:", "CBrightnessLabel",
         [](In i, Out) { return Text(General(i.OverallBrightness, ContrastDigits)); }},
        {"R Contrast:", "RContrastLabel",
         [](In i, Out) { return Text(General(i.RedContrast, ColourDigits)); }},
        {"R Bright.:", "RBrightnessLabel",
         [](In i, Out) { return Text(General(i.RedBrightness, ColourDigits)); }},
        {"G Contrast:", "GContrastLabel",
         [](In i, Out) { return Text(General(i.GreenContrast, ColourDigits)); }},
        {"G Bright.:", "GBrightnessLabel",
         [](In i, Out) { return Text(General(i.GreenBrightness, ColourDigits)); }},
        {"B Contrast:", "BContrastLabel",
         [](In i, Out) { return Text(General(i.BlueContrast, ColourDigits)); }},
        {"B Bright.:", "BBrightnessLabel",
         [](In i, Out) { return Text(General(i.BlueBrightness, ColourDigits)); }},
    };
    const std::vector<Row> outputRows = {
        {"Output:", "HVOutLabel", [](In, Out o) { return FromList(o.OutputFormat, FormatTexts); }},
        {"Frame Rate:", "OutFRateLabel",
         [](In, Out o) { return FromList(o.OutputFrameRate, FrameRateTexts); }},
        {"Out Sync:", "OutSyncLabel", [](In, Out o) { return Text(Number(o.OutputSync)); }},
        {"Blend Level:", "BlendLevelLabel",
         [](In, Out o) { return FromList(o.ControlMode, BlendTexts); }},
        {"Projectors:", "ProjectorsLabel",
         [](In, Out o) { return FromList(o.ProjectorGroup, GroupTexts); }},
        {"Justification:", "JustificationLabel",
         [](In, Out o) { return FromList(o.ImageAlignment, AlignmentTexts); }},
        {"Total Proj.:", "TotalProjectorsLabel",
         [](In, Out o) { return Text(Number(o.TotalProjectors)); }},
        {"Data Dbl.:", "DataDoublingLabel", [](In, Out o) { return Text(Number(o.DataDoubling)); }},
        {"Overlap:", "OverlapWidthLabel", [](In, Out o) { return Text(Number(o.DisplayOverlap)); }},
        {"Basic Gamma:", "BasicEFTGammaLabel",
         [](In, Out o) { return Text(General(o.BasicGamma, GammaDigits)); }},
        {"Left Gamma:", "LeftEFTGammaLabel",
         [](In, Out o) { return Text(General(o.LeftGamma, GammaDigits)); }},
        {"Right Gamma:", "RightEFTGammaLabel",
         [](In, Out o) { return Text(General(o.RightGamma, GammaDigits)); }},
        {"Basic EFT:", "BasicEFTModeLabel",
         [](In, Out o) { return Text(Number(o.BasicFeatherOn)); }},
        {"Left EFT:", "LeftEFTModeLabel", [](In, Out o) { return Text(Number(o.LeftFeatherOn)); }},
        {"Right EFT:", "RightEFTModeLabel",
         [](In, Out o) { return Text(Number(o.RightFeatherOn)); }},
        {"L Halo Width:", "HaloLeftWidthLabel",
         [](In, Out o) { return Text(Number(o.LeftHaloWidth)); }},
        {"L Halo Offset:", "HaloLeftOffsetLabel",
         [](In, Out o) { return Text(Number(o.LeftHaloOffset)); }},
        {"R Halo Width:", "HaloRightWidthLabel",
         [](In, Out o) { return Text(Number(o.RightHaloWidth)); }},
        {"R Halo Offset:", "HaloRightOffsetLabel",
         [](In, Out o) { return Text(Number(o.RightHaloOffset)); }},
        {"Black Level:", "BlackLvlAdjCompLabel",
         [](In, Out o) { return Text(Number(o.BlackLevel)); }},
    };
    // Two columns of groups, each as wide as its longest caption and value need.
    const int top = screenList_->geometry().bottom() + 6;
    auto* input = new QGroupBox(QStringLiteral("Input Information"), this);
    const int inputWidth = BuildRows(input, inputRows, QStringLiteral("75 Ohm"));
    input->setGeometry(Gap, top, inputWidth, FirstRowY + RowCount(inputRows) * RowHeight + 4);
    auto* output = new QGroupBox(QStringLiteral("Output Information"), this);
    const int outputWidth = BuildRows(output, outputRows, QStringLiteral("1400x1050"));
    output->setGeometry(2 * Gap + inputWidth, top, outputWidth,
                        FirstRowY + RowCount(outputRows) * RowHeight + 4);
}

int UnitInfoPanel::BuildRows(QWidget* group, const std::vector<Row>& rows,
                             const QString& widestValue) {
    // Whole pixels up: a width rounded down cuts the last one of some fonts' glyphs.
    const QFontMetricsF metrics(group->font());
    const auto width = [&](const QString& text) {
        return static_cast<int>(std::ceil(metrics.horizontalAdvance(text)));
    };
    int captionWidth = 0;
    for (const Row& row : rows) {
        captionWidth = std::max(captionWidth, width(QLatin1String(row.Caption)));
    }
    const int valueX = CaptionX + captionWidth + 4;
    const int valueWidth = width(widestValue) + 4;
    int y = FirstRowY;
    for (const Row& row : rows) {
        auto* caption = new QLabel(QString::fromLatin1(row.Caption), group);
        caption->setGeometry(CaptionX, y, captionWidth, 17);
        auto* value = new QLabel(group);
        value->setObjectName(QString::fromLatin1(row.Name));
        value->setGeometry(valueX, y, valueWidth, 17);
        rows_.push_back(row);
        valueLabels_.push_back(value);
        y += RowHeight;
    }
    return valueX + valueWidth + CaptionX;
}

void UnitInfoPanel::SetVersionText(const QString& text) {
    version1Label_->setText(text);
}

void UnitInfoPanel::SetUnitsDetectedText(const QString& text) {
    unitsDetectedLabel_->setText(text);
}

void UnitInfoPanel::SelectScreen(int screen) {
    const QSignalBlocker blocker(screenList_);
    screenList_->setCurrentIndex(screen - 1);
}

int UnitInfoPanel::SelectedScreen() const {
    return screenList_->currentIndex() < 0 ? 1 : screenList_->currentIndex() + 1;
}

void UnitInfoPanel::Fill(const ChannelSettings& channels) {
    const int screen = SelectedScreen();
    const InputSettings& input = channels.Input(1, screen);
    const OutputSettings& output = channels.Output(1, screen);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (const Text text = rows_[i].Value(input, output)) {
            valueLabels_[i]->setText(*text);
        }
    }
}

} // namespace tarvel
