#pragma once

#include "platform/MessageBoxes.h"
#include "ui/QtMessageBoxes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>

class QTimer;
class QWidget;

// Readable texts in test failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace tarvel::test {

// Shows a window and waits until it is the active window, so focus events flow.
bool ShowActive(QWidget& window);

// Closes every real modal box (a QMessageBox in its nested loop) a while after it came up,
// for as long as it lives, so a fault that shows one box too many fails instead of hanging.
class ModalBoxCloser {
public:
    explicit ModalBoxCloser(int intervalMs = 100);
    ~ModalBoxCloser();
    ModalBoxCloser(const ModalBoxCloser&) = delete;
    ModalBoxCloser& operator=(const ModalBoxCloser&) = delete;

    int Closed() const { return closed_; }
    // Whether every box held the keyboard focus when it was closed, as a box does on a desktop.
    bool BoxesWereActive() const { return closed_ > 0 && allActive_; }

private:
    QTimer* timer_;
    int closed_ = 0;
    bool allActive_ = true;
};

// Makes the window active again, as the window manager does when a box or window in front of
// it closes (the offscreen platform leaves that to the program).
bool Reactivate(QWidget& window);

// Real message boxes that also record their texts.
class RecordingQtMessageBoxes : public MessageBoxes {
public:
    QStringList Texts;

private:
    bool Show(MessageKind kind, const QString& caption, const QString& text) override;
    SaveChoice AskSaveChoice(const QString& caption, const QString& text) override;

    QtMessageBoxes boxes_;
};

// A fresh working directory for the test's scope; the old one comes back at the end.
class WorkingDirectory {
public:
    WorkingDirectory();
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

    QString FilePath(const QString& name) const { return dir_.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) const;
    // The file's bytes; an empty array with ok false when it does not exist.
    QByteArray Read(const QString& name, bool* ok = nullptr) const;

private:
    QString previous_;
    QTemporaryDir dir_;
};

} // namespace tarvel::test
