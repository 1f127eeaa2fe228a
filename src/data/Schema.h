#pragma once
// The nine table files of the catalogue: one SQLite table each, named like the file without
// its extension, made from the field tables (FieldTable.h) at the program's schema version.
// Declared types tell the engine the field kinds by their first word: TEXT, INTEGER, DATE,
// MEMO; files made with a bare MEMO still open. The index "PrimaryKey" gives a table's
// primary order; other indexes are orders by name.
#include "engine/WantedIndex.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace data {

struct TableFile {
    QString fileName;     ///< as the program names it: "Video.db", "Skuespiller.DB"
    QStringList statements; ///< CREATE TABLE and CREATE INDEX statements, then the user_version
};

/// The nine files in the data module's order.
const std::vector<TableFile>& catalogueFiles();
/// Their file names, in the same order.
QStringList catalogueFileNames();

/// Indexes that serve the overview's selections (a field's value in tape-number order). New
/// files get them from catalogueFiles(); the data module adds them to files made before.
const std::vector<engine::WantedIndex>& selectionIndexes();

/// The configuration record written once by the data tool: design sizes and Sprog -1.
QString configSeedStatement();

} // namespace data
