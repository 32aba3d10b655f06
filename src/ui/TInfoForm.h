#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace tarvel {

// The progress window shown around long device operations: a small always-on-top tool window
// without title-bar buttons, created hidden with the main window and only shown and hidden.
// An operation that may be cancelled shows it with a Cancel button under the text.
class TInfoForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 383;
    static constexpr int ClientHeight = 34;
    static constexpr int CancelRowHeight = 36; // added below the text for the Cancel button

    explicit TInfoForm(QWidget* owner = nullptr);

    // Puts the text up, clears the dots, shows the window centred and lets pending window
    // messages run around a repaint, so the window is painted before the operation starts.
    // Cancellable: with the Cancel button (Escape too), which emits CancelClicked once.
    void ShowProgress(const QString& text, bool cancellable = false);
    // InfoProgressLabel: "", ".", "..", ...
    void SetProgressDots(const QString& dots);
    void HideProgress();

    QString Text() const;
    QString Dots() const;
    QPushButton* CancelButton() const { return cancelButton_; }

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

signals:
    void CancelClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CentreOnScreen();
    void Cancel();

    QLabel* infoLabel_;
    QLabel* progressLabel_;
    QPushButton* cancelButton_;
};

} // namespace tarvel
