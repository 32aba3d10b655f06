#include "device/Journal.h"

#include <QSaveFile>

namespace tarvel {

const char* VerdictName(ExchangeVerdict verdict) {
    switch (verdict) {
    case ExchangeVerdict::Accepted:
        return "accepted";
    case ExchangeVerdict::Refused:
        return "refused";
    case ExchangeVerdict::DebugConsole:
        return "debug console";
    case ExchangeVerdict::NoUnitAnswer:
        return "no answer from the unit";
    case ExchangeVerdict::ControllerError:
        return "controller error";
    case ExchangeVerdict::Overflow:
        return "reply too long";
    case ExchangeVerdict::TimedOut:
        return "timed out";
    case ExchangeVerdict::PromptSeen:
        return "prompt";
    case ExchangeVerdict::NoPrompt:
        return "no prompt";
    case ExchangeVerdict::Written:
        return "written";
    case ExchangeVerdict::PortLost:
        return "line lost";
    case ExchangeVerdict::Interrupted:
        return "interrupted";
    }
    return "?";
}

void Journal::Add(JournalEntry entry) {
    if (entries_.size() >= capacity_) {
        entries_.pop_front();
    }
    entries_.push_back(std::move(entry));
    emit EntryAdded(entries_.back());
}

QString Journal::BytesText(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r') {
            text += QStringLiteral("\\r");
        } else if (byte == '\n') {
            text += QStringLiteral("\\n");
        } else if (byte == '\\') {
            text += QStringLiteral("\\\\");
        } else if (byte >= 0x20 && byte < 0x7f) {
            text += QLatin1Char(c);
        } else {
            text += QStringLiteral("\\x") +
                    QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        }
    }
    return text;
}

QString Journal::EntryText(const JournalEntry& entry) {
    const QString port = entry.Device.isEmpty()
                             ? QStringLiteral("COM %1").arg(entry.ComNumber)
                             : QStringLiteral("COM %1 (%2)").arg(entry.ComNumber).arg(entry.Device);
    return QStringLiteral("%1  %2  %3  %4  %5 ms  sent \"%6\"  received \"%7\"")
        .arg(entry.Time.toString(Qt::ISODateWithMs), port,
             entry.Mode == ConnectionMode::Controller ? QStringLiteral("controller")
                                                      : QStringLiteral("direct"),
             QString::fromLatin1(VerdictName(entry.Verdict)))
        .arg(entry.DurationMs)
        .arg(BytesText(entry.Sent), BytesText(entry.Reply));
}

QString Journal::ToText() const {
    QString text;
    for (const JournalEntry& entry : entries_) {
        text += EntryText(entry);
        text += QLatin1Char('\n');
    }
    return text;
}

bool Journal::SaveText(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return false;
    }
    file.write(ToText().toUtf8());
    return file.commit();
}

} // namespace tarvel
