#pragma once

#include "ui/pages/TabPage.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvel {

// The terminal, the "RS-232" group, the reset and system save buttons and the service view's
// hidden panels.
//
// For now it holds the "Reset Zelvar(s)" and "System Save Zelvar(s)" buttons (the Display Setup
// page's operations) and the controls the link and the planning calculator fill, as plain
// placeholders for the page's layout: the hidden "Hardware Setup" group with RS485CheckBox, the
// "RS-232" group with BaudComboBox, ComNumberLabel and the unit address fields, Version1Label
// and NumOfZelvarDetectedLabel of the hidden "Zelvar Information" group, and the hidden "Image
// Position Offset" group.
class InformationPage : public TabPage {
    Q_OBJECT

public:
    explicit InformationPage(const UiContext& context, QWidget* parent = nullptr);

    // The first showing: "38400" in the baud list and "Screen 1" in the screen list.
    void SelectStartupEntries();

    // RS485CheckBox (checked: through a controller) and BaudComboBox (0 "38400", 1 "57600").
    void ShowLinkSettings(bool controller, int baudIndex);
    void SetComNumberText(const QString& text);                        // ComNumberLabel
    void ShowUnitAddress(int unit, const QString& text, bool visible); // ZelvarID1Edit, ...2Edit
    void SetVersionText(const QString& text);                          // Version1Label
    void SetUnitsDetectedText(const QString& text);                    // NumOfZelvarDetectedLabel

    // The unit information panel for the screen chosen in its list (after a read or a load).
    void FillInfoPanel();
    // The "Image Position Offset" panel: start and end of projectors 1..8 ("N/A" beyond the
    // count).
    void ShowImagePositions(const std::array<QString, 8>& start, const std::array<QString, 8>& end);
    // The first calculation makes "Reset Zelvar(s)" visible.
    void ShowResetButton();
    // The line-status lights are watched while the link is connected.
    void SetLineMonitoring(bool on);

signals:
    // The user ticked or cleared RS485CheckBox, or picked from BaudComboBox.
    void ConnectionModeClicked(bool controller);
    void BaudIndexChosen(int index);

private:
    void BuildUnitButtons();

    QGroupBox* hardwareSetupGroupBox_;
    QCheckBox* rs485CheckBox_;
    QGroupBox* rs232GroupBox_;
    QComboBox* baudComboBox_;
    QLabel* comNumberLabel_;
    std::array<QLineEdit*, 2> unitIdEdits_;
    QGroupBox* infoGroupBox_;
    QLabel* version1Label_;
    QLabel* numOfZelvarDetectedLabel_;
    QGroupBox* screenInfoGroupBox_;
    std::array<QLabel*, 8> positionStartLabels_;
    std::array<QLabel*, 8> positionEndLabels_;
    QPushButton* resetButton_ = nullptr;
};

} // namespace tarvel
