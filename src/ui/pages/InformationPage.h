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

class LineStatusMonitor;
class SerialPort;
class SerialTerminal;
class UnitInfoPanel;

// The installer's and service technician's page: the terminal on the serial port
// (AdTerminal1), the "RS-232" group with the line-status lights, the port, the baud list and
// the units' RS-485 addresses, "Reset Zelvar(s)" and "System Save Zelvar(s)" (the Display
// Setup page's operations), and the hidden panels: the unit information panel (InfoGroupBox),
// "Image Position Offset" (ScreenInfoGroupBox) and "Hardware Setup" with RS485CheckBox, which
// nothing shows.
//
// A double click on HiddenLabel, a label without text near the bottom right corner, switches
// the service view (TTarvelForm::SetServiceView).
class InformationPage : public TabPage {
    Q_OBJECT

public:
    explicit InformationPage(const UiContext& context, QWidget* parent = nullptr);

    // The terminal and the lights on the form's port.
    void BindPort(SerialPort& port);
    SerialTerminal& Terminal() const { return *terminal_; }

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
    // The screen list's change: the panel follows once the model holds a read or a file.
    void ScreenInfoComboBoxChange();
    // The "Image Position Offset" panel: start and end of projectors 1..8 ("N/A" beyond the
    // count).
    void ShowImagePositions(const std::array<QString, 8>& start, const std::array<QString, 8>& end);
    // The first calculation makes "Reset Zelvar(s)" visible.
    void ShowResetButton();
    // The line-status lights are watched while the link is connected.
    void SetLineMonitoring(bool on);

    // The page switch rule: the keyboard to the terminal and both unit buttons enabled, or
    // the buttons disabled.
    void SetUsable(bool usable) override;

    // The service view's panels of this page: the unit information panel and "Image Position
    // Offset".
    bool ServicePanelsShown() const;
    void ShowServicePanels(bool shown);
    // The double click on HiddenLabel.
    void HiddenLabelDblClick();

signals:
    // The user ticked or cleared RS485CheckBox, or picked from BaudComboBox.
    void ConnectionModeClicked(bool controller);
    void BaudIndexChosen(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildRs232Group();
    void BuildPositionPanel();
    void BuildHardwareSetup();
    void BuildUnitButtons();

    SerialTerminal* terminal_;
    UnitInfoPanel* infoPanel_;
    LineStatusMonitor* lineMonitor_ = nullptr;
    QGroupBox* hardwareSetupGroupBox_ = nullptr;
    QCheckBox* rs485CheckBox_ = nullptr;
    QGroupBox* rs232GroupBox_ = nullptr;
    QComboBox* baudComboBox_ = nullptr;
    QLabel* comNumberLabel_ = nullptr;
    std::array<QLineEdit*, 2> unitIdEdits_{};
    QGroupBox* screenInfoGroupBox_ = nullptr;
    std::array<QLabel*, 8> positionStartLabels_{};
    std::array<QLabel*, 8> positionEndLabels_{};
    std::array<QPushButton*, 2> unitButtons_{}; // "Reset Zelvar(s)", "System Save Zelvar(s)"
    QLabel* hiddenLabel_ = nullptr;
};

} // namespace tarvel
