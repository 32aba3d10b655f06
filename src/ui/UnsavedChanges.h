#pragma once

#include "model/ChannelSettings.h"
#include "platform/MessageBoxes.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace tarvel {

// Whether the window holds settings that no file holds: the model against the configuration
// as it was last opened, saved or read, setting by setting, as the difference of two models
// compares them. So a value put back to what it was is no change, and neither is what only the
// units report (video lock, output format) nor a float one bit away.
//
// The window's title follows: the file's name (the window's file path) and the modified mark,
// before the application's caption ("wall.zvc* - Prendel - Tarvel"; without a file the caption
// alone, with the mark when modified).
class UnsavedChanges {
public:
    static const QString QuestionCaption;
    static const QString QuestionText;

    UnsavedChanges(QWidget& window, QString caption, const SettingsModel& model);

    // The model now holds what a file holds (opened or saved: `filePath`), or what the units
    // hold (read: no file).
    void Reset(const QString& filePath = QString());
    // Looks at the model again; the title follows. Cheap while nothing differs.
    void Check();

    bool Modified() const { return modified_; }
    const QString& FilePath() const { return filePath_; }

    // Once the exit is confirmed: with unsaved changes, asks whether to save them first.
    // Save runs `save` (true when the file was written). True when the program may end.
    bool MayClose(MessageBoxes& messages, const std::function<bool()>& save);

private:
    void ShowInTitle();

    QPointer<QWidget> window_;
    QString caption_;
    const SettingsModel& model_;
    SettingsModel baseline_;
    QString filePath_;
    bool modified_ = false;
};

} // namespace tarvel
