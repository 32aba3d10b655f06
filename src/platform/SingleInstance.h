#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace tarvel {

// One running Tarvel per user.
//
// The first instance takes a lock file and listens on a local socket (a named pipe on
// Windows), both named after the main window class and the user. A later start finds the lock
// taken, connects, asks the running instance to come to the front, and reports AlreadyRunning.
// The lock decides who is first, so two starts at the same moment cannot both win; a lock or
// socket left by a run that crashed is found stale (its process is gone) and taken over.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Result { First, AlreadyRunning };

    static constexpr const char* WindowClass = "TTarvelForm";

    // key: the name of lock and socket; Key() is the program's own.
    explicit SingleInstance(QString key = Key(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running instance, or asks the running one to come to the front.
    Result Start();

    QString LockFilePath() const;
    QString ServerName() const { return key_; }

    // The name for a window class and a user: only letters, digits, '-' and '_' survive.
    static QString KeyFor(const QString& windowClass, const QString& user);
    static QString Key();
    static QString CurrentUser();

signals:
    // Another start asked this instance to bring its window to the front.
    void RaiseRequested();

private:
    bool BecomeFirst();
    bool AskToRaise();
    void OnNewConnection();

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

} // namespace tarvel
