#include "ui/TAboutBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace tarvel {

namespace {

constexpr int IconPixels = 32;
constexpr int Width = 320;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      version_(MakeLabel(this, "Version", QString())) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Tarvel"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    QIcon programIcon = QApplication::windowIcon();
    if (programIcon.isNull()) {
        programIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
    }
    icon->setPixmap(programIcon.pixmap(IconPixels, IconPixels));

    QLabel* name = MakeLabel(this, "ProductName", QStringLiteral("Prendel : Tarvel"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);

    QLabel* comments = MakeLabel(
        this, "Comments",
        QStringLiteral("Minimum resolution required is 1024x768.\n\n"
                       "Please visit the Prendel web site for the most current version of "
                       "Tarvel and the Zelvar documentation."));
    comments->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* heading = new QVBoxLayout;
    heading->addWidget(name);
    heading->addWidget(version_);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(heading, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(comments);
    layout->addWidget(buttons);
    // A window does not grow for a wrapped label on its own: its height is the one the layout
    // needs at this width.
    setFixedWidth(Width);
    setFixedHeight(layout->hasHeightForWidth() ? layout->heightForWidth(Width)
                                               : layout->sizeHint().height());
}

void TAboutBox::SetVersionText(const QString& text) {
    version_->setText(text);
}

QString TAboutBox::VersionText() const {
    return version_->text();
}

} // namespace tarvel
