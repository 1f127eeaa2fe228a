#pragma once
// Where the program finds its files. Data/ and the language files are found against the
// working directory; Billeder/ and Help/ against the executable's folder.
#include <QString>

namespace core {

struct ProgramPaths {
    QString programDir;  ///< folder of the executable, with a trailing separator
    QString workingDir;  ///< process working directory, with a trailing separator

    QString dataDir() const { return workingDir + QStringLiteral("Data/"); }
    QString languageFile(const QString& name) const { return workingDir + name; }
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
