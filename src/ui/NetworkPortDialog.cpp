#include "ui/NetworkPortDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tarvel {

const QString NetworkPortDialog::Explanation = QStringLiteral(
    "A network serial server bridges a TCP port to the serial port of the Zelvar or the "
    "controller. Enter its address as tcp://HOST:PORT (or HOST:PORT), for example "
    "tcp://192.168.1.50:4001 or tcp://[fe80::1]:4001.\n\n"
    "It becomes COM 1: the search and the connect items try it first, and the serial ports "
    "follow as COM 2 to COM 8. It is used from the next search or connect on, until the "
    "program ends. Leave the field empty to use the serial ports alone.\n\n"
    "Baud rate, parity and flow control are set on the server: Tarvel's Baud and Parity "
    "settings are not sent to it.");

NetworkPortDialog::NetworkPortDialog(const QString& current, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NetworkPortDialog"));
    setWindowTitle(QStringLiteral("Prendel - Tarvel : Network Port"));
    auto* explanation = new QLabel(Explanation, this);
    explanation->setObjectName(QStringLiteral("NetworkPortLabel"));
    explanation->setWordWrap(true);
    explanation->setMinimumWidth(440);
    edit_ = new QLineEdit(current, this);
    edit_->setObjectName(QStringLiteral("NetworkPortEdit"));
    edit_->setPlaceholderText(QStringLiteral("tcp://HOST:PORT"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
}

QString NetworkPortDialog::Text() const {
    return edit_->text();
}

std::optional<QString> NetworkPortDialog::Ask(const QString& current, QWidget* parent) {
    NetworkPortDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Text();
}

} // namespace tarvel
