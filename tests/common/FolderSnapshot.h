#pragma once
// Every file below a folder with its checksum: "nothing changed" is two equal snapshots.
#include <QByteArray>
#include <QString>
#include <map>

namespace testing_support {

using FolderSnapshot = std::map<QString, QByteArray>;

FolderSnapshot snapshot(const QString& folder);

/// A file's bytes, or "<missing>" when it cannot be read.
QByteArray bytesOf(const QString& path);

} // namespace testing_support
