#include "ui/SerialTerminal.h"

#include "platform/SerialPort.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace tarvel {

namespace {

const QColor Background = Qt::black;
const QColor Foreground(192, 192, 192); // silver
constexpr int Margin = 2;

// Narrow and wide characters whose advances differ in every proportional font.
const QString Probe = QStringLiteral("Mil.W0_ ");

bool EqualAdvances(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(Probe.front());
    return width > 0 && std::all_of(Probe.begin(), Probe.end(),
                                    [&](QChar c) { return metrics.horizontalAdvance(c) == width; });
}

// The system's fixed font, or where that is not monospaced (fontconfig may answer "monospace"
// with a proportional family) the first family that is. The advances decide, not Qt's fixed
// pitch flag: Qt 6.4 reports monospaced families such as Noto Sans Mono as not fixed pitch.
QFont MonospacedFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    if (EqualAdvances(font)) {
        return font;
    }
    QStringList families = QFontDatabase::families(QFontDatabase::Latin);
    std::stable_partition(families.begin(), families.end(), [](const QString& family) {
        return QFontDatabase::isFixedPitch(family);
    });
    for (const QString& family : families) {
        QFont candidate = font;
        candidate.setFamilies({family});
        if (QFontInfo(candidate).family() == family && EqualAdvances(candidate)) {
            return candidate;
        }
    }
    return font; // none on this machine: the cells below still keep the columns
}

} // namespace

SerialTerminal::SerialTerminal(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AdTerminal1"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(MonospacedFont());
    MeasureCells();
}

void SerialTerminal::SetPort(SerialPort* port) {
    if (port_ != nullptr) {
        disconnect(port_, nullptr, this, nullptr);
    }
    port_ = port;
    if (port != nullptr) {
        connect(port, &SerialPort::Received, this, &SerialTerminal::ShowReceived);
    }
}

int SerialTerminal::Rows() const {
    return std::max(1, (height() - 2 * Margin) / std::max(1, fontMetrics().lineSpacing()));
}

void SerialTerminal::MeasureCells() {
    // The widest character the units send, so that none runs into the next cell.
    const QFontMetrics metrics = fontMetrics();
    cellWidth_ = 1;
    for (char code = 0x20; code < 0x7F; ++code) {
        cellWidth_ = std::max(cellWidth_, metrics.horizontalAdvance(QLatin1Char(code)));
    }
}

int SerialTerminal::Columns() const {
    return std::max(1, (width() - 2 * Margin) / cellWidth_);
}

QString SerialTerminal::ScreenText() const {
    return lines_.join(QLatin1Char('\n'));
}

void SerialTerminal::Clear() {
    lines_ = QStringList{QString()};
    afterCarriageReturn_ = false;
    update();
}

void SerialTerminal::ShowReceived(const QByteArray& bytes) {
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        const bool carriageReturn = code == '\r';
        if (code == '\n') {
            if (!afterCarriageReturn_) {
                NewLine(); // CR LF is one line end
            }
        } else if (carriageReturn) {
            NewLine();
        } else if (code == '\b') {
            if (!lines_.last().isEmpty()) {
                lines_.last().chop(1);
            }
        } else if (code == '\t') {
            do {
                Put(QLatin1Char(' '));
            } while (lines_.last().size() % TabWidth != 0);
        } else if ((code >= 0x20 && code < 0x7F) || code >= 0xA0) {
            Put(QChar(code));
        }
        afterCarriageReturn_ = carriageReturn;
    }
    TrimToScreen();
    update();
}

void SerialTerminal::Put(QChar character) {
    if (lines_.last().size() >= Columns()) {
        NewLine();
    }
    lines_.last().append(character);
}

void SerialTerminal::NewLine() {
    lines_.append(QString());
}

void SerialTerminal::TrimToScreen() {
    const int rows = Rows();
    if (lines_.size() > rows) {
        lines_.erase(lines_.begin(), lines_.begin() + (lines_.size() - rows));
    }
}

bool SerialTerminal::AdTerminal1KeyPress(QKeyEvent* event) {
    if (event->key() != Qt::Key_Backspace || port_ == nullptr || !port_->IsOpen()) {
        return false;
    }
    port_->Write(QByteArray("\b \b", 3));
    return true;
}

void SerialTerminal::keyPressEvent(QKeyEvent* event) {
    if (AdTerminal1KeyPress(event)) {
        event->accept();
        return;
    }
    const QByteArray bytes = event->text().toLatin1();
    if (bytes.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The terminal writes nothing while the port is closed.
    if (port_ != nullptr && port_->IsOpen()) {
        port_->Write(bytes);
    }
    event->accept();
}

void SerialTerminal::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    TrimToScreen();
}

void SerialTerminal::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        MeasureCells();
    }
}

void SerialTerminal::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void SerialTerminal::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void SerialTerminal::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Background);
    painter.setPen(Foreground);
    const QFontMetrics metrics = fontMetrics();
    const int lineSpacing = metrics.lineSpacing();
    const int cell = cellWidth_;
    // One character per cell: the columns line up whatever the font.
    int y = Margin;
    for (const QString& line : lines_) {
        for (int column = 0; column < line.size(); ++column) {
            painter.drawText(Margin + column * cell, y + metrics.ascent(), QString(line[column]));
        }
        y += lineSpacing;
    }
    if (hasFocus()) {
        // The cursor: a bar under the place of the next character.
        const int x = Margin + static_cast<int>(lines_.last().size()) * cell;
        const int cursorY =
            Margin + (static_cast<int>(lines_.size()) - 1) * lineSpacing + metrics.ascent() + 1;
        painter.fillRect(x, cursorY, cell, 2, Foreground);
    }
}

} // namespace tarvel
