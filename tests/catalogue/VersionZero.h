#pragma once
// A catalogue as the first releases made it (schema version 0, no user_version): the nine
// files from the CREATE statements of those releases, kept here as they were, with tapes,
// cast, loans, lookup values and a configuration record the user had changed.
#include <QString>
#include <QStringList>

namespace testing_support {

/// Creates dataDir (which must not exist) holding the version-0 catalogue.
void makeVersionZeroCatalogue(const QString& dataDir);

/// Every value of the file's version-0 fields, one text per record in rowid order, fields
/// joined by '|'.
QStringList versionZeroValues(const QString& dataDir, const QString& fileName);

/// The user_version of a table file.
int userVersion(const QString& path);

/// A table file's indexes, sorted, each as its name and columns: "IndexTitel(Titel_sortkey, Titel)".
QStringList indexNames(const QString& path);

} // namespace testing_support
