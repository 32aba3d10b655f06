#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;

namespace tarvel {

// Serial Port > "Network Port...": the address of a network serial server, which then comes
// first in the port list as COM 1. Empty: the serial ports alone.
class NetworkPortDialog : public QDialog {
    Q_OBJECT

public:
    static const QString Explanation;

    NetworkPortDialog(const QString& current, QWidget* parent = nullptr);

    QString Text() const;

    // The text entered, or nullopt on Cancel.
    static std::optional<QString> Ask(const QString& current, QWidget* parent);

private:
    QLineEdit* edit_;
};

} // namespace tarvel
