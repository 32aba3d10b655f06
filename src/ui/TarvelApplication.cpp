#include "ui/TarvelApplication.h"

#include "ui/ApplicationIcon.h"
#include "ui/QtMessageBoxes.h"

#include <exception>

namespace tarvel {

TarvelApplication::TarvelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The desktop entry tarvel.desktop names the icon the window system shows for the window.
    setDesktopFileName(QStringLiteral("tarvel"));
    setWindowIcon(ApplicationIcon());
}

void TarvelApplication::ReportException(MessageBoxes& messages, const std::exception_ptr& error) {
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QStringLiteral("Unknown error.");
    }
    messages.Information(text);
}

bool TarvelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        if (messages_ != nullptr) {
            ReportException(*messages_, error);
        } else {
            QtMessageBoxes boxes(activeWindow());
            ReportException(boxes, error);
        }
        return false;
    }
}

} // namespace tarvel
