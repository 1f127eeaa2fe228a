#include "TableMeta.h"
#include "core/SectionTexts.h"

#include "Database.h"
#include "Statement.h"
#include "core/Errors.h"

#include <QDir>
#include <algorithm>

namespace engine {

namespace {
const QString kPrimaryIndex = QStringLiteral("primarykey");
}

FieldKind fieldKindForType(const QString& declaredType)
{
    // The first word names the kind; a later word may give SQLite the storage it needs
    // ("MEMO TEXT": a bare MEMO column would turn a text such as "007" into the number 7).
    const QString type = declaredType.trimmed().toUpper().section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    if (type.startsWith(QLatin1String("INT")))
        return FieldKind::Integer;
    if (type == QLatin1String("DATE"))
        return FieldKind::Date;
    if (type == QLatin1String("MEMO"))
        return FieldKind::Memo;
    return FieldKind::String;
}

void TableMeta::read(Database& db, const QString& schema, const QString& path)
{
    path_ = path;
    columns_.clear();
    indexTerms_.clear();
    indexColumns_.clear();
    sortKeyIndexed_.clear();
    readColumns(db, schema);
    readIndexes(db, schema);
    readSortKeys(db, schema);
}

void TableMeta::readColumns(Database& db, const QString& schema)
{
    // table_info leaves out generated columns, so the sort keys never become fields.
    Statement info(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?1, ?2) ORDER BY cid"), path_);
    info.bindText(1, schema).bindText(2, schema);
    while (info.step())
        if (!isDigitRunColumn(info.text(0)))
            columns_.push_back({info.text(0), fieldKindForType(info.text(1))});
    if (columns_.empty())
        throw core::EDatabaseError(core::sectionText("Catalogue", "NoTable", QStringLiteral("Tabelfilen \"%1\" kan ikke åbnes: filen har ingen tabel \"%2\""))
                                       .arg(QDir::toNativeSeparators(path_), schema));
}

void TableMeta::readIndexes(Database& db, const QString& schema)
{
    // Every index's key columns in one query: a query per index cost a lock of the file each.
    Statement info(db,
                   QStringLiteral("SELECT list.name, info.name, info.desc, info.coll "
                                  "FROM pragma_index_list(?1, ?2) AS list, pragma_index_xinfo(list.name, ?2) AS info "
                                  "WHERE info.key = 1 ORDER BY list.seq, info.seqno"),
                   path_);
    info.bindText(1, schema).bindText(2, schema);
    QString index;
    std::vector<OrderTerm> terms;
    QStringList columns;
    bool usable = true;
    const auto finish = [&] {
        if (!index.isEmpty() && usable) {
            terms.push_back(OrderTerm::rowid());
            indexTerms_.insert(index.toLower(), terms);
            indexColumns_.insert(index.toLower(), columns);
        }
        terms.clear();
        columns.clear();
        usable = true;
    };
    while (info.step()) {
        if (info.text(0) != index) {
            finish();
            index = info.text(0);
        }
        const QVariant column = info.value(1);
        usable = usable && !column.isNull(); // an expression cannot be named in ORDER BY
        OrderTerm term = OrderTerm::on(column.toString());
        if (info.text(3).compare(QLatin1String("BINARY"), Qt::CaseInsensitive) != 0)
            term.collation = info.text(3);
        term.descending = info.int64(2) != 0;
        terms.push_back(term);
        columns << column.toString();
    }
    finish();
}

void TableMeta::readSortKeys(Database& db, const QString& schema)
{
    // Only a column that an index leads with its sort key can have one that counts; the
    // definitions and the file's CREATE statement are read only for such columns.
    QStringList indexed;
    for (const ColumnInfo& column : columns_) {
        const bool leads = std::any_of(indexColumns_.cbegin(), indexColumns_.cend(), [&](const QStringList& columns) {
            return columns.size() >= 2 && columns.at(0) == danishSortKey(column.name) && columns.at(1) == column.name;
        });
        if (leads)
            indexed << column.name;
    }
    if (indexed.isEmpty())
        return;
    // A sort key is trusted only when the file defines it exactly as this program does, so
    // that danishFold() of a value is what the column holds.
    QString createSql;
    {
        Statement sql(db, QStringLiteral("SELECT sql FROM %1.sqlite_master WHERE type = 'table' AND name = ?1")
                              .arg(quoteId(schema)), path_);
        sql.bindText(1, schema);
        if (sql.step())
            createSql = sql.text(0);
    }
    for (const QString& column : std::as_const(indexed)) {
        const QStringList definitions = danishSortColumns(column);
        if (std::all_of(definitions.cbegin(), definitions.cend(),
                        [&](const QString& definition) { return createSql.contains(definition); }))
            sortKeyIndexed_.insert(column);
    }
}

int TableMeta::columnIndex(const QString& name) const
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const ColumnInfo& TableMeta::column(const QString& name) const
{
    const int index = columnIndex(name);
    if (index < 0)
        throw core::EDatabaseError(fieldNotFoundMessage(name));
    return columns_[size_t(index)];
}

QString fieldNotFoundMessage(const QString& name)
{
    return QStringLiteral("Field '%1' not found").arg(name);
}

std::vector<OrderTerm> TableMeta::indexOrder(const QString& indexName) const
{
    if (indexName.isEmpty()) {
        const auto it = indexTerms_.constFind(kPrimaryIndex);
        return it == indexTerms_.constEnd() ? std::vector<OrderTerm>{OrderTerm::rowid()} : *it;
    }
    const auto it = indexTerms_.constFind(indexName.toLower());
    if (it == indexTerms_.constEnd())
        throw core::EDatabaseError(QStringLiteral("Index '%1' not found in table file '%2'")
                                       .arg(indexName, QDir::toNativeSeparators(path_)));
    return *it;
}

} // namespace engine
