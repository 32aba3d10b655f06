#pragma once

#include "config/IniSettings.h"
#include "device/LinkTiming.h"
#include "model/ChannelSettings.h"
#include "platform/MessageBoxes.h"
#include "platform/SerialPort.h"
#include "ui/FormState.h"
#include "ui/MainMenu.h"
#include "ui/PageControl.h"
#include "ui/UiContext.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QLabel;

namespace tarvel {

class ConfigurationTransfer;
class ConnectionTools;
class DeviceLink;
class DisplaySetupPage;
class FileDialogs;
class FormLinkObserver;
class LinkObserver;
class LinkUser;
class InformationPage;
class PlanningPage;
class ProjectorSetupPage;
class SeamRemovalPage;
class SourceSetupPage;
class TAboutBox;
class TConnectionHelpForm;
class TInfoForm;
class UnitsComparison;
class UnsavedChanges;

struct FormOptions {
    MessageBoxes* Messages = nullptr; // not owned; real message boxes when null
    FileDialogs* Dialogs = nullptr;   // not owned; the real open and save dialogs when null
    std::unique_ptr<SerialPort> Port; // a ComPort when null
    // Answers Connected in place of the link (tests of the page rules); the link's when null.
    std::function<bool()> Connected;
    int CloseWaitMs = 1000;                 // between hiding the window and closing the port
    LinkTiming Timing = LinkTiming::Real(); // the link's time-outs, pauses and settles
    // Serial Port > "Network Port..." asks here instead of its dialog (tests).
    std::function<std::optional<QString>(const QString& current)> AskNetworkPort;
};

// The main window. It assembles the pages, the menu, the status line and the auxiliary
// windows, holds the window-wide state and routes between them; the pages hold their own
// logic.
//
// It owns the serial port and the link on it (DeviceLink with its encoders and queries), which
// it watches through a FormLinkObserver and answers through its message boxes, and the
// ConfigurationTransfer. The link's operations return; the window then reads and fills.
//
// Life: construction reads Tarvel.ini from the working directory; the first showing runs the
// start-up set-up and then asks whether units are connected (Yes searches, which reads the
// units); closing asks for confirmation, writes Tarvel.ini, hides the window, waits and closes
// the serial port.
class TTarvelForm : public QMainWindow {
    Q_OBJECT

public:
    static const QString Caption;           // "Prendel - Tarvel", also the application title
    static const QString VersionNumber;     // "1.08"
    static constexpr int ClientWidth = 908; // below the menu bar: pages and status line
    static constexpr int ClientHeight = 594;
    static constexpr int StatusBarHeight = 19;

    static const QString NoCommunicationNote;
    static const QString ExitQuestion;
    static const QString ExitCaption;

    using Options = FormOptions;

    explicit TTarvelForm(Options options = {});
    ~TTarvelForm() override;

    FormState& State() { return state_; }
    const UiContext& Context() const { return context_; }
    SettingsModel& Model() { return model_; }
    MessageBoxes& Messages() { return *messages_; }
    FileDialogs& Dialogs() { return *dialogs_; }
    SerialPort& Port() { return *port_; }
    DeviceLink& Link() { return *link_; }
    LinkObserver& Observer();
    ConfigurationTransfer& Transfer() { return *transfer_; }
    // What the window holds that no file holds; the title shows it.
    UnsavedChanges& Unsaved() { return *unsaved_; }
    UnitsComparison& Comparison() { return *comparison_; }
    bool Connected() const;
    bool IniLoaded() const { return iniLoaded_; }
    const QString& IniPath() const { return iniPath_; }

    PlanningPage& Planning() { return *planning_; }
    const PlanningPage& Planning() const { return *planning_; }
    ProjectorSetupPage& ProjectorSetup() { return *projectorSetup_; }
    SourceSetupPage& SourceSetup() { return *sourceSetup_; }
    DisplaySetupPage& DisplaySetup() { return *displaySetup_; }
    SeamRemovalPage& SeamRemoval() { return *seamRemoval_; }
    InformationPage& Information() { return *information_; }
    tarvel::PageControl* PageControl() const { return pageControl_; }
    // Whether the start-up question has been answered and what it started has ended.
    bool StartupDone() const { return startupDone_; }

    TInfoForm& InfoForm() { return *infoForm_; }
    TConnectionHelpForm& ConnectionHelpForm() { return *connectionHelpForm_; }
    TAboutBox& AboutBox() { return *aboutBox_; }

    // A menu item's or submenu's action by objectName ("ReadfromZelvars1", "File1").
    QAction* MenuAction(const QString& name) const;
    MainMenu& Menu() { return *menu_; }
    // The status bar's connection part, the network port, the journal and the support report;
    // null only while the window is being built.
    ConnectionTools* Tools() { return tools_; }

    // The window-wide operations that the link and the pages use.
    void SetStatusText(const QString& text);
    QString StatusText() const;
    // Disabled while a command waits; the focus comes back where it was, so the user's place
    // (Tab through the fields, each sending) is kept.
    void SetPageControlEnabled(bool enabled);
    // Across the commands of one long operation the page control, once disabled, stays so
    // until the hold ends: enabling and disabling every page's controls around each command
    // costs more than the exchange itself.
    class PageControlHold {
    public:
        explicit PageControlHold(TTarvelForm& form);
        ~PageControlHold();
        PageControlHold(const PageControlHold&) = delete;
        PageControlHold& operator=(const PageControlHold&) = delete;

    private:
        QPointer<TTarvelForm> form_;
    };
    // "Read from Zelvar(s) ...", "Compare with Zelvar(s) ..." and "Send Current Settings to
    // Zelvar(s)" go together.
    void SetReadSendEnabled(bool enabled);
    // An information box with the application title; the text is kept as MessageText.
    void ShowMessageText(const QString& text);
    // Closes the port, flushes the standard streams and ends the process with the code at
    // once: no window closes, nothing asks, Tarvel.ini is not written.
    [[noreturn]] void ExitApplication(int code);

    // The service view: on exactly while the Information page's unit information panel shows.
    // It shows that panel and the "Image Position Offset" panel, the Seam Removal page's tab,
    // the Display Setup page's feather curve and gamma width and offset groups, and enables
    // the black level controls; off hides and disables them again.
    bool ServiceView() const;
    void SetServiceView(bool on);

signals:
    // The start-up question was answered and the search it started (with its read) has ended.
    void StartupFinished();

public slots:
    // The page switch rule: after the user switched pages, and after an automatic operation.
    void PhasePageControlChange();
    // Another start of the program asked for this window.
    void BringToFront();

    // The Serial Port menu: each hands the choice to the link.
    void Search1Click();
    void ZelvarconnectedthruController1Click();
    void ZelvarconnectedtoSerialPortdirectly1Click();
    void DisconnectSerialCo1Click();
    void ReadfromZelvars1Click();
    void ComparewithZelvars1Click();
    void BaudMenuClick(int baud); // 0: "Default values"
    void ParityMenuClick(Parity parity);

    // The File menu.
    void OpenConfigurationFile1Click();
    void SaveConfigurationtoFile1Click();
    void SendCurrentSettingstoZelvars1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWindow();
    void ConnectPages();
    void ReadIniFile();
    void ApplyIniSettings(const IniSettings& settings);
    // The six values as the controls hold them; nullopt when a size or the overlap is not a
    // number, so the file is not touched.
    std::optional<IniSettings> IniFromControls() const;
    void FormShow();
    void StartupConnectionPrompt();
    // After a connect action: the question whether to read the units; Yes reads.
    bool AskToRead(const QString& question);
    bool FormCloseQuery();
    void FormClose();
    void RunMenuCommand(MenuCommand command);
    void CentreOnScreen();

    std::unique_ptr<MessageBoxes> ownMessages_;
    MessageBoxes* messages_;
    std::unique_ptr<FileDialogs> ownDialogs_;
    FileDialogs* dialogs_;
    SettingsModel model_;
    FormState state_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<FormLinkObserver> linkObserver_;
    std::unique_ptr<LinkUser> linkUser_;
    std::unique_ptr<DeviceLink> link_; // destroyed before the view and the port it uses
    std::unique_ptr<ConfigurationTransfer> transfer_;
    std::unique_ptr<UnsavedChanges> unsaved_;
    std::unique_ptr<UnitsComparison> comparison_;
    std::function<bool()> connected_;
    int closeWaitMs_;
    UiContext context_;

    tarvel::PageControl* pageControl_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    PlanningPage* planning_ = nullptr;
    ProjectorSetupPage* projectorSetup_ = nullptr;
    SourceSetupPage* sourceSetup_ = nullptr;
    DisplaySetupPage* displaySetup_ = nullptr;
    SeamRemovalPage* seamRemoval_ = nullptr;
    InformationPage* information_ = nullptr;
    std::unique_ptr<MainMenu> menu_;
    TInfoForm* infoForm_ = nullptr;
    TConnectionHelpForm* connectionHelpForm_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    ConnectionTools* tools_ = nullptr; // a child of the window

    QString iniPath_;
    bool iniLoaded_ = false;
    bool shown_ = false;
    bool closing_ = false;
    bool startupDone_ = false;
    // Where the focus was when the pages were disabled for a command's wait.
    QPointer<QWidget> focusBeforeWait_;
    int pageControlHolds_ = 0;
};

} // namespace tarvel
