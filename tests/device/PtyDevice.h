#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace tarvel::test {

// The far end of a pseudo-terminal, played by the test: both ends raw, the port's end held
// open by the test so the port may close and reopen it without a hang-up. Everything arrives
// through the event loop, so the test's answers are written while the program waits.
class PtyDevice {
public:
    // Called with each line received (the bytes before a "\r"; an empty line is a bare "\r").
    using LineHandler = std::function<void(const QByteArray& line)>;

    PtyDevice();
    ~PtyDevice();
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    bool Ok() const { return master_ >= 0 && slave_ >= 0; }
    QString Path() const { return path_; }

    void OnLine(LineHandler handler) { onLine_ = std::move(handler); }
    // Echo every byte as it arrives, before any answer.
    void SetEchoBytes(bool on) { echoBytes_ = on; }

    void Write(const QByteArray& bytes);
    void WriteLater(int ms, const QByteArray& bytes);
    const QByteArray& Received() const { return received_; }
    QByteArray TakeReceived();
    // Lines received so far (frames and probes; an empty entry for each bare "\r").
    const QList<QByteArray>& Lines() const { return lines_; }

    // The line's settings as the port set them.
    int OutputBaud() const;
    bool RtsCts() const;

    // Closes both ends: the port's reads fail as on a pulled cable.
    void HangUp();

private:
    void ReadMaster();

    int master_ = -1;
    int slave_ = -1;
    QString path_;
    QByteArray received_;
    QByteArray pending_;
    QList<QByteArray> lines_;
    LineHandler onLine_;
    bool echoBytes_ = false;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace tarvel::test
