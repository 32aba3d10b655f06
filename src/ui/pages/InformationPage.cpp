#include "ui/pages/InformationPage.h"

#include "ui/LineStatusMonitor.h"
#include "ui/SerialTerminal.h"
#include "ui/StatusLight.h"
#include "ui/TTarvelForm.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/UnitInfoPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

namespace tarvel {

namespace {

constexpr QRect TerminalRect(4, 4, 561, 313);
constexpr QRect InfoPanelRect(570, 0, 332, 474);
constexpr QRect Rs232Rect(4, 322, 268, 150);
constexpr QRect PositionPanelRect(280, 322, 200, 186);
constexpr QRect HardwareSetupRect(280, 512, 330, 30);
constexpr int UnitButtonsY = 480;
constexpr QSize HiddenLabelSize(38, 13);
constexpr int HiddenLabelMargin = 8;

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int width,
                  const char* name = nullptr) {
    auto* label = new QLabel(text, parent);
    if (name != nullptr) {
        label->setObjectName(QString::fromLatin1(name));
    }
    label->setGeometry(x, y, width, 17);
    return label;
}

} // namespace

InformationPage::InformationPage(const UiContext& context, QWidget* parent)
    : TabPage("InfoTabSheet", context, parent), terminal_(new SerialTerminal(this)),
      infoPanel_(new UnitInfoPanel(this)) {
    terminal_->setGeometry(TerminalRect);
    infoPanel_->setGeometry(InfoPanelRect);
    infoPanel_->hide(); // the service view shows it
    connect(infoPanel_, &UnitInfoPanel::ScreenChosen, this,
            &InformationPage::ScreenInfoComboBoxChange);

    BuildRs232Group();
    BuildUnitButtons();
    BuildPositionPanel();
    BuildHardwareSetup();

    hiddenLabel_ = new QLabel(this);
    hiddenLabel_->setObjectName(QStringLiteral("HiddenLabel"));
    hiddenLabel_->resize(HiddenLabelSize);
    hiddenLabel_->installEventFilter(this);
}

void InformationPage::BuildRs232Group() {
    rs232GroupBox_ = new QGroupBox(QStringLiteral("RS-232"), this);
    rs232GroupBox_->setObjectName(QStringLiteral("RS232GroupBox"));
    rs232GroupBox_->setGeometry(Rs232Rect);

    std::array<StatusLight*, 4> lights{};
    const char* const captions[] = {"TXD", "RXD", "DCD", "CTS"};
    for (std::size_t i = 0; i < lights.size(); ++i) {
        lights[i] = new StatusLight(QString::fromLatin1(captions[i]), rs232GroupBox_);
        lights[i]->setGeometry(10 + 62 * static_cast<int>(i), 22, 56, 16);
    }
    lineMonitor_ = new LineStatusMonitor({lights[0], lights[1], lights[2], lights[3]}, this);

    MakeLabel(rs232GroupBox_, QStringLiteral("Port:"), 10, 50, 60);
    comNumberLabel_ =
        MakeLabel(rs232GroupBox_, QStringLiteral("None"), 80, 50, 60, "ComNumberLabel");
    MakeLabel(rs232GroupBox_, QStringLiteral("Baud:"), 10, 78, 60);
    baudComboBox_ = new QComboBox(rs232GroupBox_);
    baudComboBox_->setObjectName(QStringLiteral("BaudComboBox"));
    baudComboBox_->addItems({QStringLiteral("38400"), QStringLiteral("57600")});
    baudComboBox_->setCurrentIndex(0);
    baudComboBox_->setEnabled(false);
    baudComboBox_->setGeometry(80, 76, 80, 22);
    connect(baudComboBox_, &QComboBox::activated, this, &InformationPage::BaudIndexChosen);

    MakeLabel(rs232GroupBox_, QStringLiteral("Zelvar ID:"), 10, 112, 68);
    const char* const idNames[] = {"ZelvarID1Edit", "ZelvarID2Edit"};
    for (std::size_t i = 0; i < unitIdEdits_.size(); ++i) {
        auto* edit = new QLineEdit(rs232GroupBox_);
        edit->setObjectName(QString::fromLatin1(idNames[i]));
        edit->setText(QString::number(i + 1));
        edit->setEnabled(false);
        edit->setGeometry(80 + 48 * static_cast<int>(i), 110, 40, 22);
        edit->hide(); // shown once the controller names the units
        unitIdEdits_[i] = edit;
    }
}

void InformationPage::BuildPositionPanel() {
    screenInfoGroupBox_ = new QGroupBox(QStringLiteral("Image Position Offset"), this);
    screenInfoGroupBox_->setObjectName(QStringLiteral("ScreenInfoGroupBox"));
    screenInfoGroupBox_->setGeometry(PositionPanelRect);
    screenInfoGroupBox_->hide(); // the service view shows it
    for (std::size_t i = 0; i < positionStartLabels_.size(); ++i) {
        const int y = 22 + 20 * static_cast<int>(i);
        const int projector = static_cast<int>(i) + 1;
        MakeLabel(screenInfoGroupBox_, QStringLiteral("Projector %1:").arg(projector), 10, y, 80);
        positionStartLabels_[i] = MakeLabel(screenInfoGroupBox_, QStringLiteral("N/A"), 92, y, 44);
        positionStartLabels_[i]->setObjectName(QStringLiteral("Proj%1StartLabel").arg(projector));
        MakeLabel(screenInfoGroupBox_, QStringLiteral("-"), 138, y, 10);
        positionEndLabels_[i] = MakeLabel(screenInfoGroupBox_, QStringLiteral("N/A"), 150, y, 44);
        positionEndLabels_[i]->setObjectName(QStringLiteral("Proj%1EndLabel").arg(projector));
    }
}

void InformationPage::BuildHardwareSetup() {
    hardwareSetupGroupBox_ = new QGroupBox(QStringLiteral("Hardware Setup"), this);
    hardwareSetupGroupBox_->setObjectName(QStringLiteral("HardwareSetupGroupBox"));
    hardwareSetupGroupBox_->setGeometry(HardwareSetupRect);
    hardwareSetupGroupBox_->hide(); // nothing in the program shows it
    rs485CheckBox_ =
        new QCheckBox(QStringLiteral("Using Prendel Controllers to communicate with Zelvar"),
                      hardwareSetupGroupBox_);
    rs485CheckBox_->setObjectName(QStringLiteral("RS485CheckBox"));
    rs485CheckBox_->setGeometry(8, 8, 316, 20);
    connect(rs485CheckBox_, &QCheckBox::clicked, this, &InformationPage::ConnectionModeClicked);
}

void InformationPage::BuildUnitButtons() {
    // The unit operations are the Display Setup page's.
    const struct {
        const char* Name;
        const char* Caption;
        int X;
        void (DisplaySetupPage::*Click)();
    } buttons[] = {
        {"ResetButton", "Reset Zelvar(s)", 4, &DisplaySetupPage::ResetButtonClick},
        {"SystemSaveButton", "System Save Zelvar(s)", 122,
         &DisplaySetupPage::SystemSaveButtonClick},
    };
    for (std::size_t i = 0; i < unitButtons_.size(); ++i) {
        const auto& button = buttons[i];
        auto* push = new QPushButton(QString::fromLatin1(button.Caption), this);
        push->setObjectName(QString::fromLatin1(button.Name));
        push->setGeometry(button.X, UnitButtonsY, i == 0 ? 112 : 150, 25);
        connect(push, &QPushButton::clicked, this, [this, click = button.Click] {
            if (TTarvelForm* form = Context().Form) {
                (form->DisplaySetup().*click)();
            }
        });
        unitButtons_[i] = push;
    }
}

void InformationPage::BindPort(SerialPort& port) {
    terminal_->SetPort(&port);
    lineMonitor_->SetPort(&port);
}

void InformationPage::SelectStartupEntries() {
    baudComboBox_->setCurrentIndex(0);
    infoPanel_->SelectScreen(1);
}

void InformationPage::ShowLinkSettings(bool controller, int baudIndex) {
    rs485CheckBox_->setChecked(controller);
    baudComboBox_->setCurrentIndex(baudIndex == 1 ? 1 : 0);
}

void InformationPage::SetComNumberText(const QString& text) {
    comNumberLabel_->setText(text);
}

void InformationPage::ShowUnitAddress(int unit, const QString& text, bool visible) {
    if (unit != 1 && unit != 2) {
        return;
    }
    QLineEdit* edit = unitIdEdits_[static_cast<std::size_t>(unit - 1)];
    edit->setText(text);
    edit->setVisible(visible);
}

void InformationPage::SetVersionText(const QString& text) {
    infoPanel_->SetVersionText(text);
}

void InformationPage::SetUnitsDetectedText(const QString& text) {
    infoPanel_->SetUnitsDetectedText(text);
}

void InformationPage::FillInfoPanel() {
    infoPanel_->Fill(Context().Model.Channels);
}

void InformationPage::ScreenInfoComboBoxChange() {
    const SystemSettings& system = Context().Model.System;
    if (system.ReadValid || system.FileValid) {
        FillInfoPanel();
    }
}

void InformationPage::ShowImagePositions(const std::array<QString, 8>& start,
                                         const std::array<QString, 8>& end) {
    for (std::size_t i = 0; i < start.size(); ++i) {
        positionStartLabels_[i]->setText(start[i]);
        positionEndLabels_[i]->setText(end[i]);
    }
}

void InformationPage::ShowResetButton() {
    unitButtons_[0]->show();
}

void InformationPage::SetLineMonitoring(bool on) {
    lineMonitor_->SetMonitoring(on);
}

void InformationPage::SetUsable(bool usable) {
    TabPage::SetUsable(usable);
    for (QPushButton* button : unitButtons_) {
        button->setEnabled(usable);
    }
    if (usable) {
        terminal_->setFocus(Qt::OtherFocusReason);
    }
}

bool InformationPage::ServicePanelsShown() const {
    return !infoPanel_->isHidden();
}

void InformationPage::ShowServicePanels(bool shown) {
    infoPanel_->setVisible(shown);
    screenInfoGroupBox_->setVisible(shown);
}

void InformationPage::HiddenLabelDblClick() {
    if (TTarvelForm* form = Context().Form) {
        form->SetServiceView(!ServicePanelsShown());
    } else {
        ShowServicePanels(!ServicePanelsShown());
    }
}

bool InformationPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hiddenLabel_ && event->type() == QEvent::MouseButtonDblClick) {
        HiddenLabelDblClick();
        return true;
    }
    return TabPage::eventFilter(watched, event);
}

void InformationPage::resizeEvent(QResizeEvent* event) {
    TabPage::resizeEvent(event);
    // Near the bottom right corner, wherever the page's size puts it.
    hiddenLabel_->move(width() - HiddenLabelSize.width() - HiddenLabelMargin,
                       height() - HiddenLabelSize.height() - HiddenLabelMargin);
}

} // namespace tarvel
