#pragma once
// The catalogue's fields, one table per table file, each field one row: its SQL type and
// default, the schema version that added it, how the imports read it, and its place in the
// overview's grid. The schema, the upgrade steps, the imports' field lists, the CSV titles
// and the overview's columns are all made from these rows. A new field is one new row whose
// since is kSchemaVersion raised by one.
#include <QString>
#include <QStringList>
#include <vector>

namespace data {

/// The schema version this program makes and reads (a file's PRAGMA user_version); files
/// of a lower version are upgraded at opening, files of a higher one are refused.
constexpr int kSchemaVersion = 4;

/// How the imports turn an old value into the field's kind.
enum class FieldKind {
    Text,
    Key,      ///< text that must not be empty: tape numbers, lookup values
    Time,     ///< Start, Slut: "01:30", or "01:30:15" when seconds are given
    LongTime, ///< Varighed: "01:15:00"
    Date,     ///< stored as "2001-10-12"
    Integer,
    Memo,
};

struct FieldSpec {
    const char* name;       ///< as the table holds it (Fields.h)
    const char* sqlType;    ///< declared type; its first word gives the engine's kind
    const char* sqlDefault; ///< what records get when the field is added; nullptr: empty
    int since;              ///< the schema version that added the field
    FieldKind kind;         ///< how the imports read it
    bool sorted = false;    ///< carries the Danish sort key columns (an order by this field)
    int gridWidth = 0;      ///< the overview grid's column width in pixels; 0: not in the grid
    int sortedSince = 0;    ///< the schema version that added the sort key columns (when sorted)
    int numbersSince = 0;   ///< from this version numbers inside the text sort by value; 0: never
};

struct IndexSpec {
    QString name;
    QStringList columns;  ///< plain columns in index order
    bool unique = false;
    bool sortKey = false; ///< ordered by the first column's Danish sort key, then the column
    int since = 0;        ///< the version that made it; made again later, it replaces the older one
    QString where = {};   ///< a partial index's condition on the table's own columns; empty: every row
};

struct TableSpec {
    QString fileName; ///< "Video.db", "Skuespiller.DB"
    QString table;    ///< "Video": the file name without its extension
    std::vector<FieldSpec> fields;
    std::vector<IndexSpec> indexes;

    /// The fields a file of schema version has, in table order.
    std::vector<FieldSpec> fieldsAt(int version) const;
    /// The names of fieldsAt(version).
    QStringList namesAt(int version) const;
};

/// SQL condition that holds for a loan not returned (its Returneret text is not "Ja" and it
/// has no return date), on the loan table's columns written behind prefix ("u." or empty).
QString notReturnedCondition(const QString& prefix);

/// The nine table files in the data module's order.
const std::vector<TableSpec>& tableSpecs();
/// The table file's spec by file name (exact); throws EDatabaseError for a foreign name.
const TableSpec& tableSpec(const QString& fileName);

/// The CREATE TABLE and CREATE INDEX statements of a new file at kSchemaVersion.
QStringList createStatements(const TableSpec& spec);
/// The statements that bring a file from version - 1 to version, on the table of the
/// attached schema (empty when the step adds nothing to this file).
QStringList upgradeStatements(const TableSpec& spec, int version, const QString& schema);

} // namespace data
