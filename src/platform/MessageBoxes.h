#pragma once

#include <QString>

namespace tarvel {

enum class MessageKind { Information, YesNo, OkCancel, SaveDiscardCancel };

// The answers to the question whether to save changes before they are lost.
enum class SaveChoice { Save, Discard, Cancel };

// Every message box of the program goes through this interface: the window shows real boxes,
// tests answer from a script and read back the exact words.
class MessageBoxes {
public:
    static const QString DefaultCaption; // the application title, "Prendel - Tarvel"

    virtual ~MessageBoxes() = default;

    // An information box with OK.
    void Information(const QString& text, const QString& caption = DefaultCaption) {
        Show(MessageKind::Information, caption, text);
    }
    // Yes/No; true for Yes.
    bool YesNo(const QString& text, const QString& caption = DefaultCaption) {
        return Show(MessageKind::YesNo, caption, text);
    }
    // OK/Cancel; true for OK.
    bool OkCancel(const QString& text, const QString& caption = DefaultCaption) {
        return Show(MessageKind::OkCancel, caption, text);
    }
    // Save/Discard/Cancel.
    SaveChoice SaveDiscardCancel(const QString& text, const QString& caption = DefaultCaption) {
        return AskSaveChoice(caption, text);
    }

protected:
    MessageBoxes() = default;
    MessageBoxes(const MessageBoxes&) = default;
    MessageBoxes& operator=(const MessageBoxes&) = default;

private:
    // Shows one box and returns the answer (Yes or OK gives true; Information returns true).
    virtual bool Show(MessageKind kind, const QString& caption, const QString& text) = 0;
    virtual SaveChoice AskSaveChoice(const QString& caption, const QString& text) = 0;
};

} // namespace tarvel
