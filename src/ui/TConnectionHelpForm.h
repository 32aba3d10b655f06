#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace tarvel {

// Wiring and serial-setting instructions. Not modal; created hidden with the main window,
// shown by Help > "Help with Tarvel Serial connection" (one window however often it is asked
// for) and only hidden when the user closes it.
//
// Below the instructions, a section lists the ports this computer has as the window is shown:
// each COM number with its device and what the system knows of a USB adapter behind it, with
// how to get permission for a port and how a network serial server is used.
class TConnectionHelpForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 792;
    static constexpr int ClientHeight = 400;       // the instructions
    static constexpr int PortsSectionHeight = 180; // the ports, below them

    explicit TConnectionHelpForm(QWidget* owner = nullptr);

    // Shows the window, or brings it up again (restored, in front) when it is already open;
    // the port list is read again.
    void ShowHelp();
    void RefreshPorts();
    QString PortsText() const;

    // The texts as listed, line by line.
    static const QStringList& SettingsLines();
    static const QStringList& ControllerLines();
    static const QStringList& DirectLines();
    // How to get access to a serial port (Linux) and how a network port is used.
    static QString PortsAdvice();

private:
    void BuildPortsSection();

    QPlainTextEdit* portsList_ = nullptr;
    bool placed_ = false;
};

} // namespace tarvel
