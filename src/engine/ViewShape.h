#pragma once
// What a table's view shows: its order, the filter's conditions, the program's named
// condition and the master link's field pairs, resolved against the table file once, when the view changes. A plain value: the
// view's queries are built from it, and it tells which columns the view depends on.
// Engine-internal.
#include "NamedCondition.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace engine {

class TableMeta;

/// One term of an order: a column or the row id, with its collation and direction.
struct OrderTerm {
    QString column; ///< empty: the row id
    QString collation; ///< empty: binary
    bool descending = false;

    /// The row id in ascending order.
    static OrderTerm rowid() { return {}; }
    /// The column in ascending binary order.
    static OrderTerm on(const QString& column)
    {
        OrderTerm term;
        term.column = column;
        return term;
    }
    /// True for the row id term.
    bool isRowid() const { return column.isEmpty(); }
    /// The ORDER BY term: the quoted column (or rowid), then its collation and DESC.
    QString sql() const;
    bool operator==(const OrderTerm& other) const
    {
        return column == other.column && collation == other.collation && descending == other.descending;
    }
};

/// A condition on a view: the column holds the value, or no value when the value is empty
/// (null or ""). The value is bound when the query runs, never written into its text.
struct Equality {
    QString column;
    QVariant value;
};

/// One field pair of a master link: the detail's column equals the master's field.
struct LinkPair {
    QString column; ///< the detail table's column
    QString masterField; ///< as the table's MasterFields name it; read from the master when a query runs
};

/// A table's view settings as its properties hold them.
struct ViewSettings {
    QString indexName;
    QString indexFieldNames;
    QString filter;
    bool filtered = false;
    QString masterFields;
    bool hasMaster = false; ///< a master source with a table is set
    NamedCondition condition;

    bool operator==(const ViewSettings& other) const
    {
        return indexName == other.indexName && indexFieldNames == other.indexFieldNames && filter == other.filter
            && filtered == other.filtered && masterFields == other.masterFields && hasMaster == other.hasMaster
            && condition.sameAs(other.condition);
    }
    bool operator!=(const ViewSettings& other) const { return !(*this == other); }
};

struct ViewShape {
    std::vector<OrderTerm> order;
    std::vector<Equality> filter;
    std::vector<LinkPair> link;
    NamedCondition condition;
    ViewSettings settings; ///< what it was resolved from

    /// The shape the settings give on this table file. An unknown index, a malformed filter
    /// or an unknown field throws EDatabaseError, as the table reports it.
    static ViewShape resolve(const TableMeta& meta, const ViewSettings& settings);
    /// True when the column takes part in the order (also through its sort key), the filter or
    /// the master link, or a named condition is set (it may read any column): a change of it
    /// may move a record in the view or take it out.
    bool dependsOn(const QString& column) const;
};

/// The names of a ";"-separated list, trimmed, empty ones left out.
QStringList fieldNameList(const QString& names);

} // namespace engine
