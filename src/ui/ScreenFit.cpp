#include "ui/ScreenFit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>

namespace tarvel {

bool ScreenFit::Fit(QMainWindow& window, QStatusBar& status) {
    const QScreen* screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr || window.centralWidget() == nullptr) {
        return false;
    }
    const QRect available = screen->availableGeometry();
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const QSize whole = window.size() + frame;
    if (whole.width() <= available.width() && whole.height() <= available.height()) {
        return false;
    }

    QWidget* pages = window.takeCentralWidget();
    auto* scroll = new QScrollArea(&window);
    scroll->setObjectName(QStringLiteral("PageScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(pages); // not resizable: the pages keep their fixed size and scroll
    window.setCentralWidget(scroll);
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll](QWidget*, QWidget* now) {
        if (now != nullptr && scroll->widget() != nullptr && scroll->widget()->isAncestorOf(now)) {
            scroll->ensureWidgetVisible(now);
        }
    });

    const QSize client = (available.size() - frame).boundedTo(window.size());
    window.layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    status.setFixedWidth(client.width());
    window.setFixedSize(client);
    window.move(available.topLeft()); // the frame's corner
    return true;
}

} // namespace tarvel
