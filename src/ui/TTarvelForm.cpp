#include "ui/TTarvelForm.h"

#include "config/NumberFormat.h"
#include "device/DeviceLink.h"
#include "platform/ComPort.h"
#include "platform/SettingsFiles.h"
#include "platform/Waiter.h"
#include "ui/ConfigurationTransfer.h"
#include "ui/ConnectionTools.h"
#include "ui/FormLinkObserver.h"
#include "ui/QtFileDialogs.h"
#include "ui/QtMessageBoxes.h"
#include "ui/ScreenFit.h"
#include "ui/TAboutBox.h"
#include "ui/TConnectionHelpForm.h"
#include "ui/TInfoForm.h"
#include "ui/UnitsComparison.h"
#include "ui/UnsavedChanges.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/InformationPage.h"
#include "ui/pages/PlanningPage.h"
#include "ui/pages/ProjectorSetupPage.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace tarvel {

const QString TTarvelForm::Caption = QStringLiteral("Prendel - Tarvel");
const QString TTarvelForm::VersionNumber = QStringLiteral("1.08");
const QString TTarvelForm::NoCommunicationNote =
    QStringLiteral("Note: No Zelvar communication established yet.");
const QString TTarvelForm::ExitQuestion =
    QStringLiteral("Are you sure you want to exit this application?");
const QString TTarvelForm::ExitCaption = QStringLiteral("Prendel - Tarvel :Confirm Exit");

namespace {

constexpr int StatusTextIndent = 3;

const QString EstablishCaption =
    QStringLiteral("Prendel - Tarvel :Establish COM port communication with Zelvar(s)");
const QString StartQuestion = QStringLiteral(
    "Tarvel requires connection to Zelvar(s) to function. Do you currently have Zelvar(s) "
    "connected to the PC/laptop? Click Yes and Tarvel will search for Zelvar(s).");
const QString StartHint = QStringLiteral(
    "When Zelvar(s) are connected, go to 'Serial Port->Search for Zelvar(s)->Search' menu item "
    "for the Tarvel to search for Zelvar(s).\nPlease refer to Zelvar manual for help with Tarvel "
    "serial connection.");
const QString QueryCaption = QStringLiteral("Tarvel - Query Zelvar settings verification");
const QString ControllerQuestion =
    QStringLiteral("Serial communication established with Controller. Do you wish to query the "
                   "Zelvar's settings and update the Tarvel?");
const QString DirectQuestion = QStringLiteral(
    "Serial communication established. Do you wish to query the Zelvar's settings and update the "
    "Tarvel?");

void WriteCannotOpen() {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(IniCannotOpenMessage.size()),
                 IniCannotOpenMessage.data());
    std::fflush(stderr);
}

} // namespace

TTarvelForm::TTarvelForm(Options options)
    : ownMessages_(options.Messages == nullptr ? std::make_unique<QtMessageBoxes>(this) : nullptr),
      messages_(options.Messages != nullptr ? options.Messages : ownMessages_.get()),
      ownDialogs_(options.Dialogs == nullptr ? std::make_unique<QtFileDialogs>(this) : nullptr),
      dialogs_(options.Dialogs != nullptr ? options.Dialogs : ownDialogs_.get()),
      port_(options.Port != nullptr ? std::move(options.Port) : std::make_unique<ComPort>()),
      connected_(std::move(options.Connected)),
      closeWaitMs_(options.CloseWaitMs), context_{
                                             model_,
                                             *messages_,
                                             state_,
                                             this,
                                             [this](const QString& text) { SetStatusText(text); },
                                             [this] { return Connected(); }} {
    BuildWindow();
    linkObserver_ = std::make_unique<FormLinkObserver>(*this);
    linkUser_ = std::make_unique<MessageBoxLinkUser>(*messages_);
    link_ = std::make_unique<DeviceLink>(*port_, model_, *linkUser_, options.Timing);
    link_->SetObserver(linkObserver_.get());
    context_.Link = link_.get();
    context_.Observer = linkObserver_.get();
    transfer_ = std::make_unique<ConfigurationTransfer>(*this);
    unsaved_ = std::make_unique<UnsavedChanges>(*this, Caption, model_);
    comparison_ = std::make_unique<UnitsComparison>(*this);
    connect(infoForm_, &TInfoForm::CancelClicked, this, [this] { link_->CancelOperation(); });
    tools_ = new ConnectionTools(*this, std::move(options.AskNetworkPort));
    ConnectPages();
    ReadIniFile();
    aboutBox_->SetVersionText(QStringLiteral("Version ") + VersionNumber);
    pageControl_->setCurrentWidget(planning_);
    connect(pageControl_, &QTabWidget::currentChanged, this, &TTarvelForm::PhasePageControlChange);
}

TTarvelForm::~TTarvelForm() = default;

void TTarvelForm::BuildWindow() {
    setObjectName(QStringLiteral("TTarvelForm"));
    setWindowTitle(Caption);
    // A fixed border: system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    pageControl_ = new tarvel::PageControl(this);
    pageControl_->setObjectName(QStringLiteral("PhasePageControl"));
    planning_ = new PlanningPage(context_);
    projectorSetup_ = new ProjectorSetupPage(context_);
    sourceSetup_ = new SourceSetupPage(context_);
    displaySetup_ = new DisplaySetupPage(context_);
    seamRemoval_ = new SeamRemovalPage(context_);
    information_ = new InformationPage(context_);
    const struct {
        QWidget* Page;
        const char* Caption;
    } tabs[] = {
        {planning_, "Planning"},        {projectorSetup_, "Projector Setup"},
        {sourceSetup_, "Source Setup"}, {displaySetup_, "Display Setup"},
        {seamRemoval_, "Seam Removal"}, {information_, "Information"},
    };
    for (const auto& tab : tabs) {
        pageControl_->addTab(tab.Page, QString::fromLatin1(tab.Caption));
    }
    // The service view shows it.
    pageControl_->SetPageShown(pageControl_->indexOf(seamRemoval_), false);
    // The Display Setup twins of the seam bridge controls hand their changes to that page.
    connect(displaySetup_, &DisplaySetupPage::SeamBridgeTwinClicked, seamRemoval_,
            &SeamRemovalPage::BridgeTwinClicked);
    connect(displaySetup_, &DisplaySetupPage::BridgeThresholdTwinCommitted, seamRemoval_,
            &SeamRemovalPage::CommitBridgeThresholdTwin);
    setCentralWidget(pageControl_);

    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("MainStatusBar"));
    status->setSizeGripEnabled(false);
    // A label, not showMessage: menu hints would otherwise wipe the line. It fills the bar
    // itself: the bar's own layout leaves a widget 14 of its 19 pixels, less than a line of
    // the Noto and URW fonts.
    statusLabel_ = new QLabel(status);
    statusLabel_->setObjectName(QStringLiteral("MainStatusLabel"));
    statusLabel_->setTextFormat(Qt::PlainText);

    menu_ = std::make_unique<MainMenu>(menuBar(),
                                       [this](MenuCommand command) { RunMenuCommand(command); });

    // The client area is fixed; the window is as tall as the menu bar needs on top of it.
    pageControl_->setFixedSize(ClientWidth, ClientHeight - StatusBarHeight);
    status->setFixedSize(ClientWidth, StatusBarHeight);
    statusLabel_->setGeometry(StatusTextIndent, 0, ClientWidth - 2 * StatusTextIndent,
                              StatusBarHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    infoForm_ = new TInfoForm(this);
    connectionHelpForm_ = new TConnectionHelpForm(this);
    aboutBox_ = new TAboutBox(this);
}

// The routes between pages, and from the link's hidden controls to the link.
void TTarvelForm::ConnectPages() {
    // The Display Setup page's overlap field is the planning calculator's.
    connect(displaySetup_, &DisplaySetupPage::OverlapLeft, planning_,
            &PlanningPage::OWidthEditExit);
    connect(displaySetup_, &DisplaySetupPage::OverlapStepped, planning_,
            &PlanningPage::OWidthUpDownClick);
    connect(displaySetup_, &DisplaySetupPage::OverlapEnterPressed, planning_,
            &PlanningPage::OWidthEditEnter);
    information_->BindPort(*port_);
    connect(information_, &InformationPage::ConnectionModeClicked, this, [this](bool controller) {
        link_->SetConnectionMode(controller ? ConnectionMode::Controller : ConnectionMode::Direct);
    });
    connect(information_, &InformationPage::BaudIndexChosen, this,
            [this](int index) { link_->SetBaudIndex(index); });
}

void TTarvelForm::ReadIniFile() {
    const QString directory = QDir::currentPath();
    iniPath_ = directory.isEmpty() ? QString() : IniSettingsPath(directory);
    const IniReadResult result =
        iniPath_.isEmpty() ? IniReadResult{} : ReadIniSettingsFile(iniPath_);
    switch (result.Status) {
    case IniReadStatus::CannotOpen:
        WriteCannotOpen();
        break;
    case IniReadStatus::Invalid:
        break; // ignored as a whole; the design values stay
    case IniReadStatus::Loaded:
        ApplyIniSettings(result.Settings);
        iniLoaded_ = true;
        break;
    }
}

void TTarvelForm::ApplyIniSettings(const IniSettings& settings) {
    planning_->ApplyIniSettings(settings);
    displaySetup_->SetOverlapText(QString::number(settings.OverlapWidth));
}

std::optional<IniSettings> TTarvelForm::IniFromControls() const {
    const auto horizontal = ParseDouble(planning_->HorizontalOutText().toStdString());
    const auto vertical = ParseDouble(planning_->VerticalOutText().toStdString());
    const auto overlap = ParseInt(displaySetup_->OverlapText().toStdString());
    if (!horizontal || !vertical || !overlap) {
        return std::nullopt;
    }
    IniSettings settings;
    settings.HorizontalOutSize = *horizontal;
    settings.VerticalOutSize = *vertical;
    settings.OverlapWidth = *overlap;
    settings.ProjectorCountIndex = planning_->ProjectorCountIndex();
    settings.AlignmentIndex = planning_->AlignmentIndex();
    settings.ResolutionIndex = planning_->ResolutionIndex();
    return settings;
}

bool TTarvelForm::Connected() const {
    return connected_ ? connected_() : link_ != nullptr && link_->Connected();
}

LinkObserver& TTarvelForm::Observer() {
    return *linkObserver_;
}

QAction* TTarvelForm::MenuAction(const QString& name) const {
    return menu_->Action(name);
}

void TTarvelForm::SetStatusText(const QString& text) {
    statusLabel_->setText(text);
}

QString TTarvelForm::StatusText() const {
    return statusLabel_->text();
}

void TTarvelForm::SetPageControlEnabled(bool enabled) {
    if (enabled && pageControlHolds_ > 0) {
        return;
    }
    if (!enabled && pageControl_->isEnabled()) {
        focusBeforeWait_ = QApplication::focusWidget();
    }
    pageControl_->setEnabled(enabled);
    if (enabled && focusBeforeWait_ && QApplication::focusWidget() == nullptr &&
        focusBeforeWait_->isEnabled() && focusBeforeWait_->isVisible()) {
        focusBeforeWait_->setFocus(Qt::OtherFocusReason);
    }
    if (enabled) {
        focusBeforeWait_.clear();
    }
}

TTarvelForm::PageControlHold::PageControlHold(TTarvelForm& form) : form_(&form) {
    ++form.pageControlHolds_;
}

TTarvelForm::PageControlHold::~PageControlHold() {
    if (form_ && --form_->pageControlHolds_ == 0 && !form_->pageControl_->isEnabled()) {
        form_->SetPageControlEnabled(true);
    }
}

void TTarvelForm::SetReadSendEnabled(bool enabled) {
    menu_->Action(QStringLiteral("ReadfromZelvars1"))->setEnabled(enabled);
    menu_->Action(QStringLiteral("SendCurrentSettingstoZelvars1"))->setEnabled(enabled);
    menu_->Action(QStringLiteral("ComparewithZelvars1"))->setEnabled(enabled);
}

void TTarvelForm::ShowMessageText(const QString& text) {
    context_.ShowMessage(text);
}

void TTarvelForm::ExitApplication(int code) {
    port_->Close();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}

void TTarvelForm::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TTarvelForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_ || event->spontaneous()) {
        return;
    }
    shown_ = true;
    if (!ScreenFit::Fit(*this, *statusBar())) {
        CentreOnScreen();
    }
    FormShow();
}

void TTarvelForm::FormShow() {
    {
        UpdatingControlsGuard updating(state_);
        planning_->SetUpProjectorRects();
        model_.System.UnitOutputResH = 1280;
        model_.System.UnitOutputResV = 1024;
        displaySetup_->ApplyEdgeFeatheringMode();
        planning_->ApplyStartupDefaults(iniLoaded_);
        planning_->Calculate();
        information_->SelectStartupEntries();
    }
    // Asked once the window is up, so the question stands in front of it.
    QTimer::singleShot(0, this, &TTarvelForm::StartupConnectionPrompt);
}

void TTarvelForm::StartupConnectionPrompt() {
    if (closing_) {
        return;
    }
    // The baud list shows "38400"; Yes searches (which reads the units).
    const QPointer<TTarvelForm> self(this);
    link_->SetBaudIndex(0);
    const bool yes = messages_->YesNo(StartQuestion, EstablishCaption);
    if (!self) {
        return;
    }
    if (yes) {
        Search1Click();
        if (!self) {
            return;
        }
    } else {
        messages_->Information(StartHint);
        if (!self) {
            return;
        }
    }
    startupDone_ = true;
    emit StartupFinished();
}

void TTarvelForm::PhasePageControlChange() {
    const bool connected = Connected();
    if (!connected) {
        SetStatusText(NoCommunicationNote);
    }
    if (auto* page = qobject_cast<TabPage*>(pageControl_->currentWidget())) {
        page->SetUsable(connected && state_.Busy != 1);
    }
}

void TTarvelForm::BringToFront() {
    if (closing_) {
        return;
    }
    showNormal();
    raise();
    activateWindow();
}

void TTarvelForm::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    closing_ = true;
    FormClose();
    event->accept();
}

bool TTarvelForm::FormCloseQuery() {
    return messages_->YesNo(ExitQuestion, ExitCaption) &&
           unsaved_->MayClose(*messages_, [this] { return transfer_->SaveFile(); });
}

void TTarvelForm::FormClose() {
    // Converted before the file is touched: a field that holds no number leaves the file as
    // it was instead of truncating it.
    if (const std::optional<IniSettings> settings = IniFromControls()) {
        if (iniPath_.isEmpty() || !WriteIniSettingsFile(iniPath_, *settings)) {
            WriteCannotOpen();
        }
    }
    hide();
    Waiter::Sleep(closeWaitMs_, this);
    link_->Shutdown(); // ends any wait of the link and closes the port
    port_->Close();
}

void TTarvelForm::RunMenuCommand(MenuCommand command) {
    switch (command) {
    case MenuCommand::None:
        break;
    case MenuCommand::OpenConfigurationFile:
        OpenConfigurationFile1Click();
        break;
    case MenuCommand::SaveConfigurationToFile:
        SaveConfigurationtoFile1Click();
        break;
    case MenuCommand::SendCurrentSettings:
        SendCurrentSettingstoZelvars1Click();
        break;
    case MenuCommand::Exit:
        close();
        break;
    case MenuCommand::BaudDefault:
        BaudMenuClick(0);
        break;
    case MenuCommand::Baud9600:
        BaudMenuClick(9600);
        break;
    case MenuCommand::Baud19200:
        BaudMenuClick(19200);
        break;
    case MenuCommand::Baud38400:
        BaudMenuClick(38400);
        break;
    case MenuCommand::Baud57600:
        BaudMenuClick(57600);
        break;
    case MenuCommand::ParityNone:
        ParityMenuClick(Parity::None);
        break;
    case MenuCommand::ParityOdd:
        ParityMenuClick(Parity::Odd);
        break;
    case MenuCommand::ParityEven:
        ParityMenuClick(Parity::Even);
        break;
    case MenuCommand::ParityMark:
        ParityMenuClick(Parity::Mark);
        break;
    case MenuCommand::ParitySpace:
        ParityMenuClick(Parity::Space);
        break;
    case MenuCommand::Search:
        Search1Click();
        break;
    case MenuCommand::ConnectThroughController:
        ZelvarconnectedthruController1Click();
        break;
    case MenuCommand::ConnectDirectly:
        ZelvarconnectedtoSerialPortdirectly1Click();
        break;
    case MenuCommand::ReadFromZelvars:
        ReadfromZelvars1Click();
        break;
    case MenuCommand::CompareWithZelvars:
        ComparewithZelvars1Click();
        break;
    case MenuCommand::Disconnect:
        DisconnectSerialCo1Click();
        break;
    case MenuCommand::ConnectionHelp:
        connectionHelpForm_->ShowHelp();
        break;
    case MenuCommand::About:
        aboutBox_->exec();
        break;
    }
}

void TTarvelForm::Search1Click() {
    const QPointer<TTarvelForm> self(this);
    if (!link_->Search(planning_->PlannedProjectorCount()) || !self) {
        return;
    }
    transfer_->ReadAllSettings();
    if (self) {
        state_.Busy = 0;
    }
}

bool TTarvelForm::AskToRead(const QString& question) {
    const QPointer<TTarvelForm> self(this);
    const bool yes = messages_->YesNo(question, QueryCaption);
    if (!self) {
        return false;
    }
    if (yes) {
        transfer_->ReadAllSettings();
    }
    return !self.isNull();
}

void TTarvelForm::ZelvarconnectedthruController1Click() {
    const QPointer<TTarvelForm> self(this);
    if (link_->ConnectThroughController() && self) {
        AskToRead(ControllerQuestion);
    }
}

void TTarvelForm::ZelvarconnectedtoSerialPortdirectly1Click() {
    const QPointer<TTarvelForm> self(this);
    if (!link_->ConnectDirectly(planning_->PlannedProjectorCount(),
                                planning_->SelectedProjectorCount()) ||
        !self) {
        return;
    }
    if (AskToRead(DirectQuestion)) {
        state_.Busy = 0;
    }
}

void TTarvelForm::DisconnectSerialCo1Click() {
    link_->Disconnect();
}

void TTarvelForm::ReadfromZelvars1Click() {
    transfer_->ReadAllSettings();
}

void TTarvelForm::ComparewithZelvars1Click() {
    comparison_->Run();
}

void TTarvelForm::BaudMenuClick(int baud) {
    if (baud == 0) {
        link_->ChooseDefaultBaud();
    } else {
        link_->ChooseBaud(baud);
    }
}

void TTarvelForm::ParityMenuClick(Parity parity) {
    link_->ChooseParity(static_cast<int>(parity));
}

void TTarvelForm::OpenConfigurationFile1Click() {
    transfer_->OpenFile();
}

void TTarvelForm::SaveConfigurationtoFile1Click() {
    transfer_->SaveFile();
}

void TTarvelForm::SendCurrentSettingstoZelvars1Click() {
    transfer_->SendAllSettings();
}

bool TTarvelForm::ServiceView() const {
    return information_->ServicePanelsShown();
}

void TTarvelForm::SetServiceView(bool on) {
    information_->ShowServicePanels(on);
    pageControl_->SetPageShown(pageControl_->indexOf(seamRemoval_), on);
    displaySetup_->SetServiceView(on);
}

} // namespace tarvel
