#include "ui/ConnectionTools.h"

#include "device/DeviceLink.h"
#include "device/LinkSummary.h"
#include "device/SupportReport.h"
#include "platform/FileIo.h"
#include "platform/NetworkAddress.h"
#include "platform/PortList.h"
#include "ui/ConnectionStatusLabel.h"
#include "ui/FileDialogs.h"
#include "ui/JournalWindow.h"
#include "ui/NetworkPortDialog.h"
#include "ui/TTarvelForm.h"
#include "ui/pages/InformationPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTime>

namespace tarvel {

const QString ConnectionTools::NetworkPortCaption = QStringLiteral("Network Port...");
const QString ConnectionTools::JournalCaption = QStringLiteral("Journal...");
const QString ConnectionTools::SaveSupportReportCaption = QStringLiteral("Save Support Report...");

namespace {

// Right of the video status on the Source Setup page; below the unit information panel on the
// Information page.
std::vector<LastReadNotes::Place> NotePlaces(TTarvelForm& form) {
    return {{&form.SourceSetup(), "SourceLastReadNote", 640, 12, 260, 48},
            {&form.Information(), "InfoLastReadNote", 574, 472, 326, 40}};
}

} // namespace

ConnectionTools::ConnectionTools(TTarvelForm& form, AskNetworkPort ask)
    : QObject(&form), form_(form), ask_(std::move(ask)),
      statusLabel_(new ConnectionStatusLabel(
          form.statusBar(),
          form.statusBar()->findChild<QLabel*>(QStringLiteral("MainStatusLabel")))),
      journalWindow_(new JournalWindow(form.Link().ExchangeJournal(), &form)),
      notes_(NotePlaces(form)) {
    if (!ask_) {
        ask_ = [this](const QString& current) { return NetworkPortDialog::Ask(current, &form_); };
    }
    MainMenu& menu = form.Menu();
    menu.AddItem(QStringLiteral("SerialPort1"), QStringLiteral("NetworkPort1"), NetworkPortCaption,
                 QStringLiteral("ReadfromZelvars1"), [this] { NetworkPort1Click(); });
    menu.AddItem(QStringLiteral("Help1"), QStringLiteral("Journal1"), JournalCaption,
                 QStringLiteral("About1"), [this] { Journal1Click(); });
    menu.AddItem(QStringLiteral("Help1"), QStringLiteral("SaveSupportReport1"),
                 SaveSupportReportCaption, QStringLiteral("About1"),
                 [this] { SaveSupportReport1Click(); });
    // Where the user sets the line's rate and parity, a network port's are the server's.
    for (const char* name : {"Defaultvalues1", "N96001", "N192001", "N384001", "N576001", "None1",
                             "Odd1", "Even1", "Mark1", "Space1"}) {
        connect(menu.Action(QString::fromLatin1(name)), &QAction::triggered, this,
                &ConnectionTools::NoteNetworkLineSettings);
    }
    connect(journalWindow_, &JournalWindow::SaveReportRequested, this,
            &ConnectionTools::SaveSupportReport1Click);
    LinkChanged();
}

ConnectionTools::~ConnectionTools() {
    PortList::SetFirstPort(QString()); // the choice lives as long as the window
}

void ConnectionTools::LinkChanged() {
    statusLabel_->Show(LinkSummary::Of(form_.Link()));
}

void ConnectionTools::ConnectedChanged(bool connected) {
    if (connected) {
        notes_.Hide();
    }
    LinkChanged();
}

void ConnectionTools::LineLost() {
    notes_.ShowLineLost(QTime::currentTime());
    LinkChanged();
}

void ConnectionTools::NoteNetworkLineSettings() {
    const DeviceLink& link = form_.Link();
    const QString device =
        link.Connected() ? link.OpenDevice() : PortList::DeviceFor(SerialPort::FirstComNumber);
    if (PortList::IsNetworkPort(device)) {
        form_.SetStatusText(QStringLiteral("Note: %1 is a network serial server: its baud rate, "
                                           "parity and flow control are set on the server.")
                                .arg(device));
    }
}

void ConnectionTools::NetworkPort1Click() {
    const std::optional<QString> answer = ask_(PortList::FirstPort());
    if (!answer) {
        return;
    }
    if (answer->trimmed().isEmpty()) {
        PortList::SetFirstPort(QString());
        form_.SetStatusText(QStringLiteral("Note: No network port: COM 1 to COM 8 are the serial "
                                           "ports."));
        return;
    }
    const std::optional<NetworkAddress> address = NetworkAddress::FromUserText(*answer);
    if (!address) {
        form_.ShowMessageText(QStringLiteral("Error! '") + *answer +
                              QStringLiteral("' is not a valid network port address. Please "
                                             "enter it as tcp://HOST:PORT, for example "
                                             "tcp://192.168.1.50:4001."));
        return;
    }
    PortList::SetFirstPort(address->Entry());
    form_.SetStatusText(
        QStringLiteral("Note: COM 1 is now the network port %1.").arg(address->Entry()));
}

void ConnectionTools::Journal1Click() {
    journalWindow_->ShowJournal();
}

void ConnectionTools::SaveSupportReport1Click() {
    const QString path = form_.Dialogs().SaveSupportReportName();
    if (path.isEmpty()) {
        return;
    }
    SupportReportContext context;
    context.ProgramVersion = TTarvelForm::VersionNumber;
    context.WindowSystem = QGuiApplication::platformName();
    context.IniPath = form_.IniPath();
    const QString text = SupportReport::Text(form_.Link(), form_.Model(), context);
    if (!WriteFileReplacing(path, text.toUtf8())) {
        form_.ShowMessageText(
            QStringLiteral("Error! The support report could not be written to %1.").arg(path));
        return;
    }
    form_.SetStatusText(QStringLiteral("Support report saved as %1.").arg(path));
}

} // namespace tarvel
