#include "ui/TConnectionHelpForm.h"

#include "platform/PortDescription.h"
#include "ui/PlainLineList.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>

namespace tarvel {

namespace {

constexpr int ListFontPixels = 11;

QLabel* MakeHeading(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

const QStringList& TConnectionHelpForm::SettingsLines() {
    static const QStringList lines{
        QStringLiteral("\u00B7   Baud Rate          38.4K"),
        QStringLiteral("\u00B7   Data Bit                     8"),
        QStringLiteral("\u00B7   Stop Bit                     1"),
        QStringLiteral("\u00B7   Parity                  NONE"),
    };
    return lines;
}

const QStringList& TConnectionHelpForm::ControllerLines() {
    static const QStringList lines{
        QStringLiteral("Setup Zelvars Serial settings to the settings shown above."),
        QString(),
        QStringLiteral("Setup Zelvar's serial mode to RS-485 in the SYSTEM OPTIONS menu and select "
                       "a RS-485 ID.(this setting can be found in "),
        QStringLiteral("SYSTEM OPTIONS->CONFIG SERIAL menu.) The RS-485 ID number can be set from "
                       "1 to 32. The Zelvar RS-485 ID in a multi-screen configuration must "),
        QStringLiteral("be set to follow the Kindrel IDs. In a four-screen configuration the "
                       "Zelvar ID must be set to 5. In a five-screen Configuration the first "
                       "Zelvar ID must "),
        QStringLiteral("be set to 6 and the second Zelvar ID must be set to 7. In a six-screen "
                       "configuration the first Zelvar ID must be set to 7 and the second "),
        QStringLiteral("Zelvar ID must be set to 8."),
        QString(),
        QStringLiteral("The Controller must be turned on after Zelvar and Kindrel Plus have "
                       "booted completely. The Controller display will show ZV: N "),
        QStringLiteral("(N being the number of Zelvar(s) it detects.) If ZV: 0 is shown, check "
                       "the connection form the Kindrel Plus frame to the Zelvar and make sure "),
        QStringLiteral("that the Zelvar serial mode is set to RS-485 and the proper RS-485 ID "
                       "has been selected as explained above. Reboot the Controller until it "
                       "detects "),
        QStringLiteral("the number of Zelvar(s) that are connected to the Kindrel Plus chassis. "),
        QString(),
        QStringLiteral("At this time. click on the \"Serial Port->Search for Zelvar(s)->Search\" "
                       "menu and establish connection to the Zelvar(s)."),
    };
    return lines;
}

const QStringList& TConnectionHelpForm::DirectLines() {
    static const QStringList lines{
        QStringLiteral("Setup Zelvars Serial settings to the settings shown above."),
        QString(),
        QStringLiteral("Tarvel can be interfaced directly from the PC to a single Zelvar using a "
                       "serial communications cable from the PC serial port to the Zelvar's "
                       "REMOTE "),
        QStringLiteral("serial port.  If this connection is used, the Zelvar's serial port must "
                       "be configured for RS-232 operation and the serial port settings of the "
                       "Zelvar must "),
        QStringLiteral("be configured for the same baud rate, data bits, stop bits, parity, and "
                       "handshake settings shown above."),
    };
    return lines;
}

TConnectionHelpForm::TConnectionHelpForm(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("TConnectionHelpForm"));
    setWindowTitle(QStringLiteral("Prendel - Tarvel : Connection Help"));
    setFixedSize(ClientWidth, ClientHeight + PortsSectionHeight);

    auto* settings = new QGroupBox(QStringLiteral("Default Zelvar/Tarvel Serial settings"), this);
    settings->setObjectName(QStringLiteral("SettingsGroupBox"));
    settings->setGeometry(248, 5, 249, 81);
    new PlainLineList(settings, "SettingsListBox", QRect(8, 18, 233, 57), SettingsLines(),
                      ListFontPixels);

    auto* manual = new QLabel(
        QStringLiteral("For figures and further assistance, please refer to Zelvar manual."), this);
    manual->setObjectName(QStringLiteral("ManualLabel"));
    manual->setWordWrap(true);
    manual->setGeometry(520, 40, 232, 32);

    MakeHeading(this, "ControllerLabel", QStringLiteral("Tarvel with Controller"), {8, 88});
    new PlainLineList(this, "ControllerListBox", QRect(16, 108, 769, 185), ControllerLines(),
                      ListFontPixels);
    MakeHeading(this, "DirectLabel", QStringLiteral("Tarvel without Controller"), {8, 304});
    new PlainLineList(this, "DirectListBox", QRect(16, 324, 769, 69), DirectLines(),
                      ListFontPixels);
    BuildPortsSection();
}

QString TConnectionHelpForm::PortsAdvice() {
    QString advice;
#ifdef Q_OS_LINUX
    advice += QStringLiteral(
        "On Linux a serial port belongs to a group, usually dialout. When Tarvel says it has no "
        "permission to open a port, add yourself to that group (sudo usermod -aG dialout "
        "$USER), then log out and in again. ");
#endif
    advice += QStringLiteral(
        "A network serial server is entered with Serial Port > Network Port... as "
        "tcp://HOST:PORT; it then comes first, as COM 1. Its baud rate, parity and flow control "
        "are set on the server.");
    return advice;
}

void TConnectionHelpForm::BuildPortsSection() {
    MakeHeading(this, "PortsLabel", QStringLiteral("Serial ports on this computer"),
                {8, ClientHeight});
    portsList_ = new QPlainTextEdit(this);
    portsList_->setObjectName(QStringLiteral("PortsListBox"));
    portsList_->setReadOnly(true);
    portsList_->setLineWrapMode(QPlainTextEdit::NoWrap);
    portsList_->setGeometry(16, ClientHeight + 20, 769, 80);
    auto* advice = new QLabel(PortsAdvice(), this);
    advice->setObjectName(QStringLiteral("PortsAdviceLabel"));
    advice->setWordWrap(true);
    advice->setGeometry(16, ClientHeight + 104, 769, 72);
    RefreshPorts();
}

void TConnectionHelpForm::RefreshPorts() {
    QStringList lines{PortDescription::ListSource()};
    const QStringList ports = PortDescription::CurrentLines();
    if (ports.isEmpty()) {
        lines << QStringLiteral("No serial ports were found. Plug in the USB serial adapter, "
                                "then open this window again.");
    }
    lines << ports;
    portsList_->setPlainText(lines.join(QLatin1Char('\n')));
}

QString TConnectionHelpForm::PortsText() const {
    return portsList_->toPlainText();
}

void TConnectionHelpForm::ShowHelp() {
    RefreshPorts();
    if (!placed_) {
        placed_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    if (isMinimized()) {
        showNormal();
    }
    show();
    raise();
    activateWindow();
}

} // namespace tarvel
