#include "ui/UnsavedChanges.h"

#include "config/ConfigurationDiff.h"

#include <QFileInfo>

#include <utility>

namespace tarvel {

const QString UnsavedChanges::QuestionCaption = QStringLiteral("Prendel - Tarvel :Unsaved Changes");
const QString UnsavedChanges::QuestionText =
    QStringLiteral("The configuration has changes that were not saved to a file. Do you want to "
                   "save them before exiting?");

UnsavedChanges::UnsavedChanges(QWidget& window, QString caption, const SettingsModel& model)
    : window_(&window), caption_(std::move(caption)), model_(model), baseline_(model) {}

void UnsavedChanges::Reset(const QString& filePath) {
    baseline_ = model_;
    filePath_ = filePath;
    modified_ = false;
    ShowInTitle();
}

void UnsavedChanges::Check() {
    // The records compare byte by byte first: while they are equal nothing can differ.
    const bool modified =
        !(model_.Channels == baseline_.Channels) && !DiffConfigurations(baseline_, model_).empty();
    if (modified != modified_) {
        modified_ = modified;
        ShowInTitle();
    }
}

bool UnsavedChanges::MayClose(MessageBoxes& messages, const std::function<bool()>& save) {
    Check();
    if (!modified_) {
        return true;
    }
    switch (messages.SaveDiscardCancel(QuestionText, QuestionCaption)) {
    case SaveChoice::Save:
        return save();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

void UnsavedChanges::ShowInTitle() {
    if (!window_) {
        return;
    }
    window_->setWindowFilePath(filePath_);
    QString name = QFileInfo(filePath_).fileName();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")); // shown as typed
    if (!name.isEmpty()) {
        window_->setWindowTitle(name + QStringLiteral("[*] - ") + caption_);
    } else {
        window_->setWindowTitle(modified_ ? caption_ + QStringLiteral("[*]") : caption_);
    }
    window_->setWindowModified(modified_);
}

} // namespace tarvel
