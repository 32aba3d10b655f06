#include "platform/SingleInstance.h"

#include "platform/Waiter.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace tarvel {

namespace {

const QByteArray RaiseRequest = "raise\n";
const QByteArray RaiseDone = "ok\n";
constexpr int ConnectTimeoutMs = 1000;
constexpr int ReplyTimeoutMs = 2000;
// A first instance that holds the lock may not be listening yet: it is starting up.
constexpr int StartupGraceMs = 3000;
constexpr int RetryPauseMs = 100;

} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent), key_(std::move(key)),
      lock_(std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(key_ + ".lock"))) {}

SingleInstance::~SingleInstance() {
    if (server_ != nullptr) {
        server_->close();
    }
}

QString SingleInstance::LockFilePath() const {
    return QDir(QDir::tempPath()).filePath(key_ + ".lock");
}

QString SingleInstance::KeyFor(const QString& windowClass, const QString& user) {
    QString key = windowClass + QLatin1Char('-');
    for (const QChar c : user) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('-') || c == QLatin1Char('_');
        key += plain ? c : QLatin1Char('_');
    }
    return key;
}

QString SingleInstance::CurrentUser() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) {
        user = qEnvironmentVariable("USERNAME");
    }
#ifdef Q_OS_UNIX
    // The uid is what the system itself goes by; the name is only for people reading /tmp.
    user += QStringLiteral("-%1").arg(::getuid());
#endif
    return user;
}

QString SingleInstance::Key() {
    return KeyFor(QString::fromLatin1(WindowClass), CurrentUser());
}

SingleInstance::Result SingleInstance::Start() {
    if (server_ != nullptr) {
        return Result::First;
    }
    if (lock_->tryLock(0)) {
        BecomeFirst();
        return Result::First;
    }
    if (AskToRaise()) {
        return Result::AlreadyRunning;
    }
    // Nobody answers behind the lock. QLockFile only removes a lock whose owner no longer holds
    // it (its process is gone), so a live instance keeps its lock here.
    if (lock_->removeStaleLockFile() && lock_->tryLock(0)) {
        BecomeFirst();
        return Result::First;
    }
    return Result::AlreadyRunning;
}

bool SingleInstance::BecomeFirst() {
    // Whatever socket is left under the name belongs to a run that died: the lock is ours.
    QLocalServer::removeServer(key_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
    if (!server_->listen(key_)) {
        qWarning("Tarvel: cannot listen on %s: %s", qPrintable(key_),
                 qPrintable(server_->errorString()));
        return false;
    }
    return true;
}

bool SingleInstance::AskToRaise() {
    QDeadlineTimer grace(StartupGraceMs);
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(key_);
        Waiter::WaitUntil(
            [&] {
                return socket.state() == QLocalSocket::ConnectedState ||
                       socket.state() == QLocalSocket::UnconnectedState;
            },
            ConnectTimeoutMs);
        if (socket.state() == QLocalSocket::ConnectedState) {
            socket.write(RaiseRequest);
            socket.flush();
            Waiter::WaitUntil(
                [&] {
                    return socket.canReadLine() || socket.state() == QLocalSocket::UnconnectedState;
                },
                ReplyTimeoutMs);
            return socket.canReadLine() && socket.readLine() == RaiseDone;
        }
        if (grace.hasExpired()) {
            return false;
        }
        Waiter::Sleep(RetryPauseMs);
    }
}

void SingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QPointer<QLocalSocket> guard(socket);
        const auto serve = [this, guard] {
            if (!guard || !guard->canReadLine()) {
                return;
            }
            if (guard->readLine() == RaiseRequest) {
                guard->write(RaiseDone);
                guard->flush();
                emit RaiseRequested();
            }
            if (guard) {
                guard->disconnectFromServer();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, serve);
        serve(); // the request may have come with the connection
    }
}

} // namespace tarvel
