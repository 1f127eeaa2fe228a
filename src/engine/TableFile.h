#pragma once
// Making a new table file: the data tool and the import build tables with it. The engine
// itself never creates a table when it opens one.
#include <QString>
#include <QStringList>

namespace engine {

/// Creates the SQLite file at path (which must not exist) and runs the statements in one
/// transaction with the rollback journal. Throws EDatabaseError naming the file; a file
/// that was created is removed again on failure.
void createTableFile(const QString& path, const QStringList& statements);

} // namespace engine
