#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace tarvel {

class SerialPort;

// The terminal bound to the serial port (AdTerminal1): black, silver text in a monospaced
// font, one character per cell, one screen without scroll-back.
//
// It shows a copy of every byte the port receives (the link reads the bytes themselves; the
// terminal never takes any from the port) and writes every typed key to the port while it is
// open. The unit echoes what it gets, so nothing typed is shown locally. Backspace with the
// port open writes 8, 32, 8 (back, blank, back), so the echo erases the last character.
//
// Received bytes: CR, LF and CR LF end a line, Backspace erases the last character of the
// line, Tab moves to the next multiple of eight, other control characters are not shown;
// bytes from 0xA0 on are Latin-1. Lines longer than the screen wrap; the oldest lines leave at
// the top.
class SerialTerminal : public QWidget {
    Q_OBJECT

public:
    static constexpr int TabWidth = 8;

    explicit SerialTerminal(QWidget* parent = nullptr);

    // Binds the terminal to the port (null: unbound).
    void SetPort(SerialPort* port);

    // What the screen shows, lines joined with '\n' (no trailing line break).
    QString ScreenText() const;
    int Rows() const;
    int Columns() const;
    void Clear();

    // Bytes as the port delivers them.
    void ShowReceived(const QByteArray& bytes);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // AdTerminal1KeyPress: Backspace with the port open is written as 8, 32, 8 and taken;
    // false lets the terminal handle the key itself.
    bool AdTerminal1KeyPress(QKeyEvent* event);
    void MeasureCells();
    void Put(QChar character);
    void NewLine();
    void TrimToScreen();

    QPointer<SerialPort> port_;
    QStringList lines_{QString()};
    bool afterCarriageReturn_ = false;
    int cellWidth_ = 1;
};

} // namespace tarvel
