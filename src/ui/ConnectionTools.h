#pragma once

#include "ui/LastReadNotes.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace tarvel {

class ConnectionStatusLabel;
class JournalWindow;
class TTarvelForm;

// What the main window offers around its link: the connection part of the status bar, the
// notes on the pages after a lost line, Serial Port > "Network Port...", Help > "Journal..."
// and Help > "Save Support Report...". The form creates it once its link exists and tells it
// what the link reports (FormLinkObserver).
class ConnectionTools : public QObject {
    Q_OBJECT

public:
    // Asks for the network port's address, given the current one; nullopt is Cancel.
    using AskNetworkPort = std::function<std::optional<QString>(const QString& current)>;

    static const QString NetworkPortCaption; // the menu items' captions, with their mnemonics
    static const QString JournalCaption;
    static const QString SaveSupportReportCaption;

    // ask: the real dialog when empty.
    ConnectionTools(TTarvelForm& form, AskNetworkPort ask = {});
    ~ConnectionTools() override;

    // The link connected, disconnected, changed its settings, found its port or counted its
    // units: the status bar follows.
    void LinkChanged();
    void ConnectedChanged(bool connected);
    void LineLost();

    ConnectionStatusLabel& StatusLabel() { return *statusLabel_; }
    JournalWindow& Journal() { return *journalWindow_; }
    const LastReadNotes& Notes() const { return notes_; }

    void NetworkPort1Click();
    void Journal1Click();
    // Writes the support report where the save dialog says; a message says where or why not.
    void SaveSupportReport1Click();

private:
    void NoteNetworkLineSettings();

    TTarvelForm& form_;
    AskNetworkPort ask_;
    ConnectionStatusLabel* statusLabel_;
    JournalWindow* journalWindow_;
    LastReadNotes notes_;
};

} // namespace tarvel
