#include "ui/pages/InformationPage.h"

#include "ui/TTarvelForm.h"
#include "ui/pages/DisplaySetupPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvel {

namespace {

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
    : TabPage("InfoTabSheet", context, parent), hardwareSetupGroupBox_(new QGroupBox(this)),
      rs485CheckBox_(new QCheckBox(hardwareSetupGroupBox_)), rs232GroupBox_(new QGroupBox(this)),
      baudComboBox_(new QComboBox(rs232GroupBox_)),
      comNumberLabel_(
          MakeLabel(rs232GroupBox_, QStringLiteral("None"), 60, 20, 40, "ComNumberLabel")),
      unitIdEdits_{new QLineEdit(rs232GroupBox_), new QLineEdit(rs232GroupBox_)},
      infoGroupBox_(new QGroupBox(this)),
      version1Label_(MakeLabel(infoGroupBox_, QString(), 70, 20, 80, "Version1Label")),
      numOfZelvarDetectedLabel_(
          MakeLabel(infoGroupBox_, QString(), 70, 40, 40, "NumOfZelvarDetectedLabel")),
      screenInfoGroupBox_(new QGroupBox(this)) {
    // Provisional places until the page layout is built.
    hardwareSetupGroupBox_->setObjectName(QStringLiteral("HardwareSetupGroupBox"));
    hardwareSetupGroupBox_->setTitle(QStringLiteral("Hardware Setup"));
    hardwareSetupGroupBox_->setGeometry(320, 320, 330, 50);
    hardwareSetupGroupBox_->hide(); // nothing in the program shows it
    rs485CheckBox_->setObjectName(QStringLiteral("RS485CheckBox"));
    rs485CheckBox_->setText(QStringLiteral("Using Prendel Controllers to communicate with Zelvar"));
    rs485CheckBox_->setGeometry(8, 20, 316, 20);
    connect(rs485CheckBox_, &QCheckBox::clicked, this, &InformationPage::ConnectionModeClicked);

    rs232GroupBox_->setObjectName(QStringLiteral("RS232GroupBox"));
    rs232GroupBox_->setTitle(QStringLiteral("RS-232"));
    rs232GroupBox_->setGeometry(8, 320, 300, 110);
    MakeLabel(rs232GroupBox_, QStringLiteral("Port:"), 8, 20, 50);
    MakeLabel(rs232GroupBox_, QStringLiteral("Baud:"), 8, 44, 50);
    baudComboBox_->setObjectName(QStringLiteral("BaudComboBox"));
    baudComboBox_->addItems({QStringLiteral("38400"), QStringLiteral("57600")});
    baudComboBox_->setCurrentIndex(0);
    baudComboBox_->setEnabled(false);
    baudComboBox_->setGeometry(60, 42, 80, 21);
    connect(baudComboBox_, &QComboBox::activated, this, &InformationPage::BaudIndexChosen);
    const char* const idNames[] = {"ZelvarID1Edit", "ZelvarID2Edit"};
    for (std::size_t i = 0; i < unitIdEdits_.size(); ++i) {
        QLineEdit* edit = unitIdEdits_[i];
        edit->setObjectName(QString::fromLatin1(idNames[i]));
        edit->setText(QString::number(i + 1));
        edit->setEnabled(false);
        edit->setGeometry(60 + 50 * static_cast<int>(i), 72, 40, 21);
        edit->hide();
    }

    infoGroupBox_->setObjectName(QStringLiteral("InfoGroupBox"));
    infoGroupBox_->setTitle(QStringLiteral("Zelvar Information"));
    infoGroupBox_->setGeometry(570, 0, 330, 313);
    infoGroupBox_->hide();
    MakeLabel(infoGroupBox_, QStringLiteral("Version :"), 8, 20, 60);
    MakeLabel(infoGroupBox_, QStringLiteral("ZV:"), 8, 40, 60);

    screenInfoGroupBox_->setObjectName(QStringLiteral("ScreenInfoGroupBox"));
    screenInfoGroupBox_->setTitle(QStringLiteral("Image Position Offset"));
    screenInfoGroupBox_->setGeometry(660, 320, 240, 190);
    screenInfoGroupBox_->hide();
    for (std::size_t i = 0; i < positionStartLabels_.size(); ++i) {
        const int y = 20 + 20 * static_cast<int>(i);
        const int projector = static_cast<int>(i) + 1;
        MakeLabel(screenInfoGroupBox_, QStringLiteral("Projector %1:").arg(projector), 8, y, 80);
        positionStartLabels_[i] = MakeLabel(screenInfoGroupBox_, QStringLiteral("N/A"), 90, y, 60);
        positionStartLabels_[i]->setObjectName(QStringLiteral("Proj%1StartLabel").arg(projector));
        MakeLabel(screenInfoGroupBox_, QStringLiteral("-"), 152, y, 10);
        positionEndLabels_[i] = MakeLabel(screenInfoGroupBox_, QStringLiteral("N/A"), 164, y, 60);
        positionEndLabels_[i]->setObjectName(QStringLiteral("Proj%1EndLabel").arg(projector));
    }
    BuildUnitButtons();
}

void InformationPage::BuildUnitButtons() {
    // The unit operations are the Display Setup page's.
    const struct {
        const char* Name;
        const char* Caption;
        int X;
        void (DisplaySetupPage::*Click)();
    } buttons[] = {
        {"ResetButton", "Reset Zelvar(s)", 16, &DisplaySetupPage::ResetButtonClick},
        {"SystemSaveButton", "System Save Zelvar(s)", 176,
         &DisplaySetupPage::SystemSaveButtonClick},
    };
    for (const auto& button : buttons) {
        auto* push = new QPushButton(QString::fromLatin1(button.Caption), this);
        push->setObjectName(QString::fromLatin1(button.Name));
        push->setGeometry(button.X, 440, 150, 25);
        connect(push, &QPushButton::clicked, this, [this, click = button.Click] {
            if (TTarvelForm* form = Context().Form) {
                (form->DisplaySetup().*click)();
            }
        });
        if (resetButton_ == nullptr) {
            resetButton_ = push;
        }
    }
}

void InformationPage::SelectStartupEntries() {
    baudComboBox_->setCurrentIndex(0);
    // The screen list comes with the unit information panel.
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
    version1Label_->setText(text);
}

void InformationPage::SetUnitsDetectedText(const QString& text) {
    numOfZelvarDetectedLabel_->setText(text);
}

// The panel's controls and their fill come with the page layout.
void InformationPage::FillInfoPanel() {}

void InformationPage::ShowImagePositions(const std::array<QString, 8>& start,
                                         const std::array<QString, 8>& end) {
    for (std::size_t i = 0; i < start.size(); ++i) {
        positionStartLabels_[i]->setText(start[i]);
        positionEndLabels_[i]->setText(end[i]);
    }
}

void InformationPage::ShowResetButton() {
    resetButton_->show();
}

// The lights come with the page layout.
void InformationPage::SetLineMonitoring(bool) {}

} // namespace tarvel
