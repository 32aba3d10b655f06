#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QSocketNotifier;

namespace tarvel::test {

// A pseudo-terminal pair for port tests: both ends raw; the test plays the far end on the
// master. A slave descriptor stays open for the pair's life so the master never sees a hang-up
// between two opens of the port, and so the test can read the line settings.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0 && slave_ >= 0; }
    QString SlavePath() const { return slavePath_; }
    int SlaveFd() const { return slave_; }

    void WriteMaster(const QByteArray& bytes);
    // Bytes that reached the master so far (collected while the event loop runs).
    const QByteArray& Received() const { return received_; }
    // Lets the event loop run until the master holds at least count bytes or the time is up.
    QByteArray WaitReceived(int count, int timeoutMs = 2000);
    void CloseMaster();

private:
    void ReadMaster();

    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    QByteArray received_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace tarvel::test
