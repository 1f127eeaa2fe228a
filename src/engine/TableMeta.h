#pragma once
// What a table file says about its table: the fields (the generated sort-key columns left
// out), the orders its indexes give, and which text fields have a Danish sort key that an
// index leads with. Engine-internal; read once per Open.
#include "Field.h"
#include "ViewShape.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

namespace engine {

class Database;

struct ColumnInfo {
    QString name;
    FieldKind kind;
    bool operator==(const ColumnInfo& other) const { return name == other.name && kind == other.kind; }
};

class TableMeta {
public:
    /// Reads the table named like the schema. Throws EDatabaseError naming the file.
    void read(Database& db, const QString& schema, const QString& path);

    /// The table's columns in file order, generated columns left out.
    const std::vector<ColumnInfo>& columns() const { return columns_; }
    /// The column for a field name, matched without regard to case; -1 when there is none.
    int columnIndex(const QString& name) const;
    /// The column for a field name, matched without regard to case; throws EDatabaseError
    /// "Field '%s' not found" when there is none.
    const ColumnInfo& column(const QString& name) const;

    /// The order of the named index, the row id last; "" is the primary order, the index
    /// "PrimaryKey" or else the row id. An unknown name throws EDatabaseError.
    std::vector<OrderTerm> indexOrder(const QString& indexName) const;
    /// True when equality on this column can also be put on its sort key, which leads an index.
    bool hasSortKeyIndex(const QString& column) const { return sortKeyIndexed_.contains(column); }

private:
    void readColumns(Database& db, const QString& schema);
    void readIndexes(Database& db, const QString& schema);
    void readSortKeys(Database& db, const QString& schema);

    QString path_;
    std::vector<ColumnInfo> columns_;
    QHash<QString, std::vector<OrderTerm>> indexTerms_; // by lower-case index name
    QHash<QString, QStringList> indexColumns_;
    QSet<QString> sortKeyIndexed_;
};

/// The field kind for a declared column type by its first word: INTEGER, DATE, MEMO,
/// anything else a text.
FieldKind fieldKindForType(const QString& declaredType);

/// The message of a field name that names no field of the table.
QString fieldNotFoundMessage(const QString& name);

} // namespace engine
