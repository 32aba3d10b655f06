#pragma once

#include "protocol/ConnectionMode.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <cstddef>
#include <deque>

namespace tarvel {

// How one exchange on the line ended.
enum class ExchangeVerdict {
    Accepted,        // the reply ended with the prompt where it may
    Refused,         // the controller answered "?"
    DebugConsole,    // a unit answered from its debug console
    NoUnitAnswer,    // "!ERR" code 4: the controller got no answer from the unit
    ControllerError, // "!ERR" with another code
    Overflow,        // the reply outgrew the reply buffer
    TimedOut,        // no reply in time
    PromptSeen,      // a prompt wait saw the prompt
    NoPrompt,        // a prompt wait ended without it
    Written,         // sent without waiting for anything
    PortLost,        // the line failed during the exchange
    Interrupted,     // the program stopped waiting (closing, disconnected)
};

const char* VerdictName(ExchangeVerdict verdict);

struct JournalEntry {
    QDateTime Time; // when the bytes went out
    int ComNumber = 0;
    QString Device;
    ConnectionMode Mode = ConnectionMode::Direct;
    QByteArray Sent;
    QByteArray Reply; // every byte received while the exchange waited
    ExchangeVerdict Verdict = ExchangeVerdict::Written;
    qint64 DurationMs = 0;
};

// The last exchanges on the line, newest last, in memory only: nothing is written anywhere
// unless a caller saves it.
class Journal : public QObject {
    Q_OBJECT

public:
    static constexpr std::size_t DefaultCapacity = 10000;

    explicit Journal(std::size_t capacity = DefaultCapacity, QObject* parent = nullptr)
        : QObject(parent), capacity_(capacity == 0 ? 1 : capacity) {}

    void Add(JournalEntry entry);
    void Clear() { entries_.clear(); }
    const std::deque<JournalEntry>& Entries() const { return entries_; }
    std::size_t Capacity() const { return capacity_; }

    // One line per exchange: time, port, mode, verdict, duration, the bytes sent and received.
    // Printable characters stand as they are; every other byte as \xHH (\r and \n by name).
    static QString EntryText(const JournalEntry& entry);
    QString ToText() const;
    // Writes ToText() to the file; false when it cannot be written.
    bool SaveText(const QString& path) const;

    static QString BytesText(const QByteArray& bytes);

signals:
    void EntryAdded(const tarvel::JournalEntry& entry);

private:
    std::size_t capacity_;
    std::deque<JournalEntry> entries_;
};

} // namespace tarvel
