#pragma once
// A fresh temporary program folder for one test: a copy of the built program folder's files
// (language files, Billeder, Help) and, when asked, an empty Data/ made by the data tool.
#include <QString>
#include <QTemporaryDir>

namespace testing_support {

class TempProgramFolder {
public:
    /// withData: create Data/ with the nine empty tables.
    explicit TempProgramFolder(bool withData = true);
    const QString& path() const { return path_; }
    QString dataDir() const { return path_ + QStringLiteral("/Data"); }
    QString file(const QString& relative) const { return path_ + QLatin1Char('/') + relative; }
    /// Makes this folder the program's paths (core::setProgramPaths).
    void install() const;

private:
    QTemporaryDir dir_;
    QString path_;
};

/// The built program folder (build/Spolarkiv) and the source tree.
QString builtProgramDir();
QString sourceDir();

} // namespace testing_support
