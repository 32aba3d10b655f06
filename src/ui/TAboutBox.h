#pragma once

#include <QDialog>

class QLabel;

namespace tarvel {

// Help > "About...": the program's name, version and where to find more. Modal.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* owner = nullptr);

    // Set once by the main window at construction: "Version " + the version number.
    void SetVersionText(const QString& text);
    QString VersionText() const;

private:
    QLabel* version_;
};

} // namespace tarvel
