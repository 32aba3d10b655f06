#pragma once

#include <QStringList>
#include <QWidget>

namespace tarvel {

// Wiring and serial-setting instructions. Not modal; created hidden with the main window,
// shown by Help > "Help with Tarvel Serial connection" (one window however often it is asked
// for) and only hidden when the user closes it.
class TConnectionHelpForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 792;
    static constexpr int ClientHeight = 400;

    explicit TConnectionHelpForm(QWidget* owner = nullptr);

    // Shows the window, or brings it up again (restored, in front) when it is already open.
    void ShowHelp();

    // The texts as listed, line by line.
    static const QStringList& SettingsLines();
    static const QStringList& ControllerLines();
    static const QStringList& DirectLines();

private:
    bool placed_ = false;
};

} // namespace tarvel
