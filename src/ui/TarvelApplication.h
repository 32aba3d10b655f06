#pragma once

#include <QApplication>

namespace tarvel {

class MessageBoxes;

// The application object. An exception that escapes an event handler is shown in a message box
// with its message and the event loop goes on (Qt cannot carry an exception through its
// loop).
class TarvelApplication : public QApplication {
    Q_OBJECT

public:
    TarvelApplication(int& argc, char** argv);

    // Where the exception messages go; real message boxes until set. Not owned.
    void SetMessages(MessageBoxes* messages) { messages_ = messages; }

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an exception's message (ExceptionText).
    static void ReportException(MessageBoxes& messages, const std::exception_ptr& error);

    // The message of an exception; anything thrown that is not a std::exception has a fixed
    // text.
    static QString ExceptionText(const std::exception_ptr& error);

signals:
    // After an exception that escaped an event handler was shown (an automation run ends on
    // it).
    void ExceptionCaught(const QString& text);

private:
    MessageBoxes* messages_ = nullptr;
};

} // namespace tarvel
