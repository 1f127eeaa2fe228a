#pragma once
// Puts a finished table folder in the place of Data without a moment in which neither a
// complete old nor a complete new Data exists there. A note beside Data ("Data.swap") names
// the folders while a swap is under way, so a swap cut off by a kill is finished, or undone,
// by the next process that takes the program folder's lock, and the previous catalogue is
// never under a name that is cleared away.
#include <QString>

namespace catalogue {

/// Moves built into target's place and the previous target (when there is one) to kept.
/// On Linux the two folders are exchanged in one step, so a crash leaves either the old
/// Data or the new one in place, never none. Throws ECatalogueError when a step fails; the
/// previous Data is then where it was, or where the note says.
void swapInFolder(const QString& built, const QString& target, const QString& kept);

/// Finishes a swap on target that a kill cut off (call it holding the folder lock): returns
/// the folder that now holds the previous catalogue, or "" when no swap was cut off after
/// Data was exchanged (Data is then the previous catalogue). Throws ECatalogueError when a
/// folder cannot be moved; the note then stays for the next attempt.
QString finishInterruptedSwap(const QString& target);

/// The sentence that tells the user where finishInterruptedSwap put the previous catalogue,
/// in the active language; "" when it returned "".
QString interruptedSwapText(const QString& kept);

/// True while a swap note lies beside target: the folders it names must not be removed.
bool swapPending(const QString& target);

/// Date and time for the names of kept folders and reports: "2026-12-09-151300".
QString folderStamp();

/// A name that does not exist yet: base + suffix, else base-2 + suffix, base-3 + suffix, ...
/// (the suffix is a file's extension, which stays last).
QString unusedName(const QString& base, const QString& suffix = QString());

} // namespace catalogue
