#pragma once
// What a path a user names as a table or a text file is, when it is not a file that can be
// read: a folder, a pipe, a socket or a device is named as such, never taken for a missing file.
#include <QString>

namespace import {

/// "" when path is a regular file (after following links) or does not exist at all; else
/// what it is, in the active language ("en mappe", "en navngiven pipe (FIFO)", ...).
QString unreadableKind(const QString& path);

/// The refusal of such a path: "\"<path>\" er <kind>, ikke en almindelig fil.".
QString notAFileText(const QString& path, const QString& kind);

} // namespace import
