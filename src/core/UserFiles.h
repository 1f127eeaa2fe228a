#pragma once
// Files a user names or hands to the program: what may be read and what may be replaced.
// Every such file is untrusted: it may be a pipe, a device or a link to one.
#include <QByteArray>
#include <QString>
#include <optional>

namespace core {

/// The bytes of path when it is a regular file (after following links) of at most maxBytes;
/// std::nullopt for anything else. Opened without blocking, so a pipe or a device put in the
/// file's place can neither hang the program nor feed it without end.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);

/// Why path must not be replaced by a written file: the reason when it exists and is not a
/// regular file after following links (a folder, a pipe, a device), else empty.
QString outputTargetRefusal(const QString& path);

/// Writes a folder's entries (names made, renamed or removed in it) to the disk, so that a
/// rename in it lasts through a power cut. Failures are ignored: the folder may not allow it.
void syncFolder(const QString& folder);

} // namespace core
