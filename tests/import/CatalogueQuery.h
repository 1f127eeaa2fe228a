#pragma once
// Reads what an import left in a Data folder, for the import tests.
#include <QString>
#include <QStringList>

namespace importtest {

/// One query over the nine tables of a Data folder (each attached under its table's name),
/// each row's columns joined by '|', NULL written as "NULL".
QStringList query(const QString& dataFolder, const QString& sql);

} // namespace importtest
