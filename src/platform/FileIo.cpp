#include "platform/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace tarvel {

namespace {

bool IsDeviceNode([[maybe_unused]] const QString& path) {
#if defined(Q_OS_UNIX)
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 &&
           (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode));
#else
    return false;
#endif
}

} // namespace

std::optional<QByteArray> ReadFilePrefix(const QString& path, qint64 limit) {
    if (!QFileInfo(path).isFile()) {
        if (IsDeviceNode(path)) {
            return QByteArray();
        }
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteFileReplacing(const QString& target, const QByteArray& bytes, WriteFallback fallback) {
    QSaveFile file(target);
    file.setDirectWriteFallback(fallback == WriteFallback::InPlace);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    // commit() does not notice a final flush that wrote only part of the bytes (a disk that
    // fills up, a file size limit), so the flush is checked here.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting(); // the new file goes with `file`
        return false;
    }
    return file.commit();
}

} // namespace tarvel
