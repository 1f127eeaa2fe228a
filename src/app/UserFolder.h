#pragma once
// The program folder of an installed program: the installed prefix has no writable folder beside
// the executable, so each user's catalogue lives in $SPOLARKIV_HOME, else ~/Spolarkiv.
#include "core/ProgramPaths.h"

#include <QString>

namespace app {

/// The shared folder of an installed program (with a trailing separator), found from the
/// executable's folder; empty when the program runs from a program folder.
QString installedSharedDir(const QString& executableDir);

/// The paths in force for the running program: the user's program folder with the shared
/// files when installed, else the executable's folder and the working directory.
core::ProgramPaths applicationPaths();

/// Makes the program folder with Data/ (the nine empty tables) and Billeder/ where they are
/// missing, for an installed program only; never touches an existing table or picture. Returns the message for the user when
/// the folder cannot be made or written; then nothing this call made is left behind.
QString prepareProgramFolder(const core::ProgramPaths& paths);

} // namespace app
