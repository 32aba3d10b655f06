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

QString TarvelApplication::ExceptionText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error.");
    }
}

void TarvelApplication::ReportException(MessageBoxes& messages, const std::exception_ptr& error) {
    messages.Information(ExceptionText(error));
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
        emit ExceptionCaught(ExceptionText(error));
        return false;
    }
}

} // namespace tarvel
