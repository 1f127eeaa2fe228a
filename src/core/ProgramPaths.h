#pragma once
// Where the program finds its files. Data/ and the language files are found against the
// working directory; Billeder/ and Help/ against the executable's folder. An installed program
// also has a shared folder: files it ships are read from there unless the program folder has them.
#include <QString>

namespace core {

struct ProgramPaths {
    QString programDir;  ///< folder of the executable, with a trailing separator
    QString workingDir;  ///< process working directory, with a trailing separator
    QString sharedDir;   ///< the installed program's shared files, with a trailing separator; empty when none

    QString dataDir() const { return workingDir + QStringLiteral("Data/"); }
    QString languageFile(const QString& name) const;
    /// The folder the language files are read from.
    QString languageFolder() const;
    /// A shipped file (help page, placeholder picture) by its path under the program folder.
    QString shippedFile(const QString& relative) const;
    QString picturesDir() const { return programDir + QStringLiteral("Billeder/"); }
    QString helpDir() const { return programDir + QStringLiteral("Help/"); }

    /// Paths of the running program (QCoreApplication must exist).
    static ProgramPaths fromApplication();
    /// Both folders the same (tests and trials on a copied program folder).
    static ProgramPaths forFolder(const QString& folder);
};

/// The paths in force; set once at start (tests set their own).
const ProgramPaths& programPaths();
void setProgramPaths(const ProgramPaths& paths);

} // namespace core
