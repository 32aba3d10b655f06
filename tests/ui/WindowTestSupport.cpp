#include "WindowTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace tarvel::test {

bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

ModalBoxCloser::ModalBoxCloser(int intervalMs) : timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, [this] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr) {
            return;
        }
        const QWidget* focus = QApplication::focusWidget();
        allActive_ = allActive_ && QApplication::activeWindow() == box && focus != nullptr &&
                     focus->window() == box;
        ++closed_;
        box->close();
    });
    timer_->start(intervalMs);
}

ModalBoxCloser::~ModalBoxCloser() {
    delete timer_;
}

bool Reactivate(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

bool RecordingQtMessageBoxes::Show(MessageKind kind, const QString& caption, const QString& text) {
    Texts << text;
    switch (kind) {
    case MessageKind::Information:
        boxes_.Information(text, caption);
        return true;
    case MessageKind::YesNo:
        return boxes_.YesNo(text, caption);
    case MessageKind::OkCancel:
    case MessageKind::SaveDiscardCancel:
        return boxes_.OkCancel(text, caption);
    }
    return false;
}

SaveChoice RecordingQtMessageBoxes::AskSaveChoice(const QString& caption, const QString& text) {
    Texts << text;
    return boxes_.SaveDiscardCancel(text, caption);
}

WorkingDirectory::WorkingDirectory() : previous_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
}

WorkingDirectory::~WorkingDirectory() {
    QDir::setCurrent(previous_);
}

void WorkingDirectory::Write(const QString& name, const QByteArray& bytes) const {
    QFile file(FilePath(name));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

QByteArray WorkingDirectory::Read(const QString& name, bool* ok) const {
    QFile file(FilePath(name));
    const bool opened = file.open(QIODevice::ReadOnly);
    if (ok != nullptr) {
        *ok = opened;
    }
    return opened ? file.readAll() : QByteArray();
}

} // namespace tarvel::test
