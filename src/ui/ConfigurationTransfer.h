#pragma once

#include "device/UnitsRead.h"
#include "ui/ConfigurationSend.h"

#include <QString>

namespace tarvel {

class TTarvelForm;
struct UiContext;

// Moves a whole configuration at once between the units, the model and the pages.
//
// ReadAllSettings ("Read from Zelvar(s) ...", and the end of a search) reads every unit in use
// into the model and then fills every page from it; FillPagesFromModel is the fill alone, run
// under UpdatingControls. SendAllSettings sends the configuration the pages show to the units
// (ConfigurationSend). OpenFile and SaveFile are the File menu's configuration file: opening
// replaces the model and fills the pages, and sends nothing.
class ConfigurationTransfer {
public:
    static const QString QueryingText;
    static const QString InvalidValueText;  // a control of the send-all held no number
    static const QString SendStoppedText;   // the send-all ended before its last command
    static const QString SendingText;       // the progress window of the send-all
    static const QString SendCancelledText; // %1 of %2 commands went out
    static const QString FileOpenedText;

    explicit ConfigurationTransfer(TTarvelForm& form);

    void ReadAllSettings();
    void FillPagesFromModel();
    void SendAllSettings();
    // The same, restricted to the steps `restriction` keeps of the plan (the comparison's send of
    // what differs). True when the plan ran to its end (or to the first unusable control):
    // false when nothing was sent, or the user cancelled, or the send stopped.
    bool SendAllSettings(const ConfigurationSend::Restriction& restriction);
    void OpenFile();
    // True when the file was written.
    bool SaveFile();

    // Reads every unit in use into the model and shows the number of units found; false after
    // the failure's message, or without one when the link went away (the user has been told).
    static bool ReadUnits(const UiContext& context, UnitNaming naming);

private:
    TTarvelForm& form_;
};

} // namespace tarvel
