#pragma once
// Puts a finished table folder in the place of Data without a moment in which neither a
// complete old nor a complete new Data exists there.
#include <QString>

namespace import {

/// Moves built into target's place and the previous target (when there is one) to kept.
/// On Linux the two folders are exchanged in one step, so a crash leaves either the old
/// Data or the new one in place, never none. Throws EImportError when a step fails; the
/// previous Data is then where it was.
void swapInFolder(const QString& built, const QString& target, const QString& kept);

/// Date and time for the names of kept folders and reports: "2026-12-09-151300".
QString folderStamp();

/// A name that does not exist yet: base + suffix, else base-2 + suffix, base-3 + suffix, ...
/// (the suffix is a file's extension, which stays last).
QString unusedName(const QString& base, const QString& suffix = QString());

} // namespace import
