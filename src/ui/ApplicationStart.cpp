#include "ui/ApplicationStart.h"

#include "platform/SingleInstance.h"
#include "ui/QtMessageBoxes.h"
#include "ui/TTarvelForm.h"
#include "ui/TarvelApplication.h"

#include <exception>
#include <memory>

namespace tarvel {

int RunTarvel(const StartOptions& options) {
    QtMessageBoxes realMessages;
    MessageBoxes& messages = options.Messages != nullptr ? *options.Messages : realMessages;
    auto* application = qobject_cast<TarvelApplication*>(QCoreApplication::instance());
    try {
        SingleInstance instance(options.InstanceKey.isEmpty() ? SingleInstance::Key()
                                                              : options.InstanceKey);
        if (instance.Start() == SingleInstance::Result::AlreadyRunning) {
            messages.Information(AlreadyRunningMessage);
            return 0;
        }
        QCoreApplication::setApplicationName(TTarvelForm::Caption);

        TTarvelForm::Options formOptions;
        formOptions.Messages = options.Messages;
        formOptions.Dialogs = options.Dialogs;
        formOptions.Timing = options.Timing;
        TTarvelForm form(std::move(formOptions));
        realMessages.SetParent(&form);
        if (application != nullptr) {
            application->SetMessages(&messages);
        }
        QObject::connect(&instance, &SingleInstance::RaiseRequested, &form,
                         &TTarvelForm::BringToFront);
        form.show();
        if (options.BeforeLoop) {
            options.BeforeLoop(form);
        }
        const int code = QCoreApplication::exec();
        if (application != nullptr) {
            application->SetMessages(nullptr);
        }
        return code;
    } catch (...) {
        if (application != nullptr) {
            application->SetMessages(nullptr);
        }
        TarvelApplication::ReportException(messages, std::current_exception());
        return 0;
    }
}

} // namespace tarvel
