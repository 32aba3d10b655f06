#include "platform/FileIo.h"

#include <QFile>
#include <QSaveFile>

namespace tarvel {

std::optional<QByteArray> ReadFilePrefix(const QString& path, qint64 limit) {
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
