#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The two settings files share these shells: a read that takes the whole file before anyone
// looks at it, and a write that never leaves the target half written. Paths are Qt's own, so
// a name in any script opens and saves on every platform.
namespace tarvel {

// Reads up to `limit` + 1 bytes of a regular file (a link is followed), so a caller that knows
// the size it wants can tell a larger file without reading all of it. A device node is never
// opened (a serial line may wait for its carrier, and opening it wakes what is behind it); it
// reads as empty, the size the file system gives it. nullopt for anything else: missing,
// unreadable, a folder, a named pipe (whose open waits for a writer) or a socket.
std::optional<QByteArray> ReadFilePrefix(const QString& path, qint64 limit);

enum class WriteFallback {
    None,    // a folder where no new file can be made fails the write
    InPlace, // ... unless the target itself is writable: it is then written directly
};

// Writes a new file beside `target` and renames it over `target` (QSaveFile). Fails and leaves
// `target` as it was when the folder is missing, when `target` is a file the user may not
// write or a folder, or when a write fails (disk full). A symbolic link is followed, so the
// file it names is replaced and the link kept; a replaced file keeps its permissions.
bool WriteFileReplacing(const QString& target, const QByteArray& bytes,
                        WriteFallback fallback = WriteFallback::None);

} // namespace tarvel
