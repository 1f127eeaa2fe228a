#include "ViewShape.h"

#include "Database.h"
#include "Filter.h"
#include "Statement.h"
#include "TableMeta.h"
#include "core/Errors.h"

#include <algorithm>

namespace engine {

namespace {
std::vector<OrderTerm> fieldOrder(const TableMeta& meta, const QString& names)
{
    const QStringList fields = fieldNameList(names);
    if (fields.isEmpty())
        return meta.indexOrder(QString());
    std::vector<OrderTerm> order;
    for (const QString& name : fields)
        order.push_back(OrderTerm::on(meta.column(name).name));
    order.push_back(OrderTerm::rowid());
    return order;
}

std::vector<Equality> filterConditions(const TableMeta& meta, const ViewSettings& settings)
{
    if (!settings.filtered || settings.filter.isEmpty())
        return {};
    const FilterExpression filter = parseFilter(settings.filter);
    const ColumnInfo& column = meta.column(filter.field);
    QVariant value = filter.value;
    try {
        value = storageValueOf(column.kind, filter.value);
    } catch (const core::EConvertError&) {
        // Compared as typed: no stored value equals it.
    }
    return {{column.name, value}};
}

std::vector<LinkPair> linkPairs(const TableMeta& meta, const ViewSettings& settings)
{
    const QStringList masterNames = fieldNameList(settings.masterFields);
    if (!settings.hasMaster || masterNames.isEmpty())
        return {};
    // The detail's fields are the order's, or else named like the master's.
    QStringList detailNames = fieldNameList(settings.indexFieldNames);
    if (detailNames.size() < masterNames.size())
        detailNames = masterNames;
    std::vector<LinkPair> pairs;
    for (int i = 0; i < masterNames.size(); ++i)
        pairs.push_back({meta.column(detailNames.at(i)).name, masterNames.at(i)});
    return pairs;
}

bool sameColumn(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

QStringList fieldNameList(const QString& names)
{
    QStringList result;
    for (const QString& name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!name.trimmed().isEmpty())
            result << name.trimmed();
    return result;
}

QString OrderTerm::sql() const
{
    QString term = isRowid() ? QStringLiteral("rowid") : quoteId(column);
    if (!collation.isEmpty())
        term += QStringLiteral(" COLLATE ") + quoteId(collation);
    if (descending)
        term += QStringLiteral(" DESC");
    return term;
}

ViewShape ViewShape::resolve(const TableMeta& meta, const ViewSettings& settings)
{
    ViewShape shape;
    shape.order = settings.indexFieldNames.isEmpty() ? meta.indexOrder(settings.indexName)
                                                     : fieldOrder(meta, settings.indexFieldNames);
    shape.filter = filterConditions(meta, settings);
    shape.link = linkPairs(meta, settings);
    shape.condition = settings.condition;
    shape.settings = settings;
    return shape;
}

bool ViewShape::dependsOn(const QString& column) const
{
    const QString sortKey = danishSortKey(column);
    const bool ordered = std::any_of(order.begin(), order.end(), [&](const OrderTerm& term) {
        return !term.isRowid() && (sameColumn(term.column, column) || sameColumn(term.column, sortKey));
    });
    const bool filtered = std::any_of(filter.begin(), filter.end(),
                                      [&](const Equality& condition) { return sameColumn(condition.column, column); });
    const bool linked = std::any_of(link.begin(), link.end(), [&](const LinkPair& pair) { return sameColumn(pair.column, column); });
    return ordered || filtered || linked || condition.isSet();
}

} // namespace engine
