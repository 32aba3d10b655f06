#pragma once

#include <QWidget>

class QLabel;

namespace tarvel {

// The progress window shown around long device operations: a small always-on-top tool window
// without title-bar buttons, created hidden with the main window and only shown and hidden.
class TInfoForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 383;
    static constexpr int ClientHeight = 34;

    explicit TInfoForm(QWidget* owner = nullptr);

    // Puts the text up, clears the dots, shows the window centred and lets pending window
    // messages run around a repaint, so the window is painted before the operation starts.
    void ShowProgress(const QString& text);
    // InfoProgressLabel: "", ".", "..", ...
    void SetProgressDots(const QString& dots);
    void HideProgress();

    QString Text() const;
    QString Dots() const;

    // Hides the window on every way out of an operation's scope.
    class Scope {
    public:
        Scope(TInfoForm& form, const QString& text) : form_(form) { form_.ShowProgress(text); }
        ~Scope() { form_.HideProgress(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        TInfoForm& form_;
    };

private:
    void CentreOnScreen();

    QLabel* infoLabel_;
    QLabel* progressLabel_;
};

} // namespace tarvel
