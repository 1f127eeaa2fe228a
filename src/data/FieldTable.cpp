#include "FieldTable.h"

#include "Fields.h"
#include "core/Errors.h"
#include "engine/SortExpression.h"

#include <algorithm>

namespace data {

namespace f = fields;

namespace {

using K = FieldKind;

TableSpec lookupSpec(const char* fileName, const char* field)
{
    const QString name = QString::fromLatin1(field);
    return {QString::fromLatin1(fileName), name, {{field, "TEXT NOT NULL", nullptr, 0, K::Key, true}},
            {{QStringLiteral("PrimaryKey"), {name}, true, true}}};
}

std::vector<IndexSpec> videoIndexes()
{
    std::vector<IndexSpec> indexes{{QStringLiteral("PrimaryKey"), {QLatin1String(f::TapeNr)}, true},
                                   {QStringLiteral("IndexTitel"), {QLatin1String(f::Titel)}, false, true},
                                   {QStringLiteral("IndexKategori"), {QLatin1String(f::Kategori)}, false, true},
                                   {QStringLiteral("IndexType"), {QLatin1String(f::Type)}, false, true},
                                   {QStringLiteral("IndexPlacering"), {QLatin1String(f::Placering)}, false, true, 2}};
    // The overview's selections: a field's value in tape-number order.
    for (const char* field : {f::Kategori, f::Type, f::Instruktor, f::Optagetaf, f::Udlaan})
        indexes.push_back({QStringLiteral("Select%1").arg(QLatin1String(field)),
                           {QLatin1String(field), QLatin1String(f::TapeNr)}});
    return indexes;
}

std::vector<TableSpec> buildSpecs()
{
    return {
        {QStringLiteral("Video.db"), QStringLiteral("Video"),
         {{f::TapeNr, "TEXT NOT NULL", nullptr, 0, K::Key, false, 64},
          {f::Titel, "TEXT", nullptr, 0, K::Text, true, 200},
          {f::Start, "TEXT", nullptr, 0, K::Time, false, 56},
          {f::Slut, "TEXT", nullptr, 0, K::Time, false, 56},
          {f::Varighed, "TEXT", nullptr, 0, K::LongTime, false, 64},
          {f::Type, "TEXT", nullptr, 0, K::Text, true, 80},
          {f::Kopi, "TEXT", nullptr, 0, K::Text, false, 64},
          {f::Laengde, "TEXT", nullptr, 0, K::Text, false, 64},
          {f::Kategori, "TEXT", nullptr, 0, K::Text, true, 110},
          {f::Udlaan, "TEXT", nullptr, 0, K::Text, false, 70},
          {f::Instruktor, "TEXT", nullptr, 0, K::Text, false, 120},
          {f::Optagetaf, "TEXT", nullptr, 0, K::Text, false, 120},
          {f::OptagetDato, "DATE", nullptr, 0, K::Date, false, 110},
          {f::Fabrikat, "TEXT", nullptr, 0, K::Text, false, 90},
          // A bare MEMO would have numeric affinity; "MEMO TEXT" stores the text as typed.
          {f::Indhold, "MEMO TEXT", nullptr, 0, K::Memo},
          // The overview's shelf order came one version after the field; "hylde 2" before
          // "hylde 10" two versions later.
          {f::Placering, "TEXT", nullptr, 1, K::Text, true, 110, 2, 4},
          {f::EAN, "TEXT", nullptr, 1, K::Text}},
         videoIndexes()},
        lookupSpec("Kategori.db", f::Kategori),
        {QStringLiteral("Udlaan.db"), QStringLiteral("Udlaan"),
         {{f::LinkTapeNr, "TEXT", nullptr, 0, K::Text},
          {f::Dato, "DATE", nullptr, 0, K::Date},
          {f::Navn, "TEXT", nullptr, 0, K::Text},
          {f::Telefon, "TEXT", nullptr, 0, K::Text},
          {f::Returneret, "TEXT", nullptr, 0, K::Text},
          {f::Forfald, "DATE", nullptr, 1, K::Date},
          {f::ReturDato, "DATE", nullptr, 1, K::Date}},
         {{QStringLiteral("IndexTapenr"), {QLatin1String(f::LinkTapeNr)}},
          // Loans in due-date order.
          {QStringLiteral("IndexForfald"), {QLatin1String(f::Forfald)}, false, false, 1},
          // Most loans are returned long after their due date: the overdue ones are found
          // among the open loans only, their tapes read from the index alone (from version 3;
          // version 2 made it without the tape number).
          {QStringLiteral("IndexAabne"), {QLatin1String(f::Forfald), QLatin1String(f::LinkTapeNr)}, false, false, 3,
           notReturnedCondition(QString())}}},
        lookupSpec("Type.db", f::Type),
        lookupSpec("Instruktor.db", f::Instruktor),
        lookupSpec("Optagetaf.db", f::Optagetaf),
        lookupSpec("Skuespiller.DB", f::Skuespiller),
        {QStringLiteral("Medvirker.db"), QStringLiteral("Medvirker"),
         {{f::LinkTapeNr, "TEXT", nullptr, 0, K::Text},
          {f::Titel, "TEXT", nullptr, 0, K::Text},
          {f::Skuespiller, "TEXT", nullptr, 0, K::Text},
          {f::Rolle, "TEXT", nullptr, 0, K::Text}},
         {{QStringLiteral("IndexTapenr"), {QLatin1String(f::LinkTapeNr)}}}},
        {QStringLiteral("Config.DB"), QStringLiteral("Config"),
         {{f::H_Main, "INTEGER", nullptr, 0, K::Integer},
          {f::W_Main, "INTEGER", nullptr, 0, K::Integer},
          {f::Sprog, "INTEGER", nullptr, 0, K::Integer},
          {f::H_Over, "INTEGER", nullptr, 0, K::Integer},
          {f::W_Over, "INTEGER", nullptr, 0, K::Integer},
          {f::H_Reg, "INTEGER", nullptr, 0, K::Integer},
          {f::W_Reg, "INTEGER", nullptr, 0, K::Integer},
          {f::Laanetid, "INTEGER", "30", 1, K::Integer},
          {f::VisOverskredne, "INTEGER", "1", 1, K::Integer}},
         {}},
    };
}

QString quoted(const QString& name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString columnDefinition(const FieldSpec& field)
{
    QString definition = quoted(QLatin1String(field.name)) + QLatin1Char(' ') + QLatin1String(field.sqlType);
    if (field.sqlDefault)
        definition += QStringLiteral(" DEFAULT ") + QLatin1String(field.sqlDefault);
    return definition;
}

QString indexStatement(const IndexSpec& index, const QString& table, const QString& schema)
{
    QStringList columns;
    for (const QString& column : index.columns)
        columns << quoted(column);
    if (index.sortKey)
        columns.prepend(quoted(engine::danishSortKey(index.columns.first())));
    const QString name = schema.isEmpty() ? quoted(index.name) : quoted(schema) + QLatin1Char('.') + quoted(index.name);
    const QString where = index.where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + index.where;
    return QStringLiteral("CREATE %1INDEX %2%3 ON %4(%5)%6")
        .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), schema.isEmpty() ? QString() : QStringLiteral("IF NOT EXISTS "),
             name, quoted(table), columns.join(QStringLiteral(", ")), where);
}

// The sort key columns of a sorted field as a file of that version has them.
QStringList sortColumnsAt(const FieldSpec& field, int version)
{
    const QString name = QLatin1String(field.name);
    if (field.numbersSince == 0 || version < field.numbersSince)
        return engine::danishSortColumns(name);
    const QString digits = engine::digitRunColumn(name);
    return QStringList{quoted(digits) + QStringLiteral(" TEXT")}
           + engine::danishSortColumns(name, QStringLiteral("coalesce(%1, %2)").arg(quoted(digits), quoted(name)));
}

// The triggers that keep a field's digit-run key, whatever program writes the tapes.
QStringList digitRunTriggers(const FieldSpec& field, const QString& table, const QString& qualifier)
{
    const QString name = QLatin1String(field.name);
    const QString update = QStringLiteral("UPDATE %1 SET %2 = %4 WHERE rowid = new.rowid;")
                               .arg(quoted(table), quoted(engine::digitRunColumn(name)));
    const QString key = engine::digitRunKey(QStringLiteral("new.") + quoted(name));
    const QString hasDigits = QStringLiteral("new.%1 GLOB '*[0-9]*'").arg(quoted(name));
    return {QStringLiteral("CREATE TRIGGER %1%2 AFTER INSERT ON %3 WHEN %4 BEGIN %5 END")
                .arg(qualifier, quoted(table + QLatin1Char('_') + name + QStringLiteral("_ny")), quoted(table), hasDigits,
                     QString(update).replace(QLatin1String("%4"), key)),
            QStringLiteral("CREATE TRIGGER %1%2 AFTER UPDATE OF %3 ON %4 BEGIN %5 END")
                .arg(qualifier, quoted(table + QLatin1Char('_') + name + QStringLiteral("_ret")), quoted(name), quoted(table),
                     QString(update).replace(QLatin1String("%4"), QStringLiteral("CASE WHEN %1 THEN %2 END").arg(hasDigits, key)))};
}

// A field sorted before numbers counted by value: its old key columns and their indexes go,
// the new ones come, and the key is filled for the tapes there are.
QStringList numbersByValueStep(const TableSpec& spec, const FieldSpec& field, const QString& schema)
{
    const QString name = QLatin1String(field.name);
    const QString table = quoted(schema) + QLatin1Char('.') + quoted(spec.table);
    QStringList statements;
    for (const IndexSpec& index : spec.indexes)
        if (index.sortKey && index.columns.first() == name)
            statements << QStringLiteral("DROP INDEX IF EXISTS %1.%2").arg(quoted(schema), quoted(index.name));
    QStringList old = engine::danishSortColumns(name);
    for (auto it = old.crbegin(); it != old.crend(); ++it)
        statements << QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(table, it->section(QLatin1Char('"'), 1, 1));
    for (const QString& column : sortColumnsAt(field, field.numbersSince))
        statements << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(table, column);
    statements << digitRunTriggers(field, spec.table, quoted(schema) + QLatin1Char('.'));
    statements << QStringLiteral("UPDATE %1 SET %2 = %3 WHERE %4 GLOB '*[0-9]*'")
                      .arg(table, quoted(engine::digitRunColumn(name)), engine::digitRunKey(quoted(name)), quoted(name));
    for (const IndexSpec& index : spec.indexes)
        if (index.sortKey && index.columns.first() == name && index.since < field.numbersSince)
            statements << indexStatement(index, spec.table, schema);
    return statements;
}

} // namespace

QString notReturnedCondition(const QString& prefix)
{
    return QStringLiteral("coalesce(%1Returneret, '') <> 'Ja' AND coalesce(%1ReturDato, '') = ''").arg(prefix);
}

std::vector<FieldSpec> TableSpec::fieldsAt(int version) const
{
    std::vector<FieldSpec> result;
    for (const FieldSpec& field : fields)
        if (field.since <= version)
            result.push_back(field);
    return result;
}

QStringList TableSpec::namesAt(int version) const
{
    QStringList names;
    for (const FieldSpec& field : fieldsAt(version))
        names << QLatin1String(field.name);
    return names;
}

const std::vector<TableSpec>& tableSpecs()
{
    static const std::vector<TableSpec> specs = buildSpecs();
    return specs;
}

const TableSpec& tableSpec(const QString& fileName)
{
    for (const TableSpec& spec : tableSpecs())
        if (spec.fileName == fileName)
            return spec;
    throw core::EDatabaseError(QStringLiteral("'%1' is not a table file of the catalogue").arg(fileName));
}

QStringList createStatements(const TableSpec& spec)
{
    // The sort key columns come after every field, so that a file made now and an upgraded
    // one list their fields in the same order.
    QStringList columns;
    for (const FieldSpec& field : spec.fields)
        columns << columnDefinition(field);
    for (const FieldSpec& field : spec.fields)
        if (field.sorted)
            columns << sortColumnsAt(field, kSchemaVersion);
    QStringList statements{QStringLiteral("CREATE TABLE %1(%2)").arg(quoted(spec.table), columns.join(QStringLiteral(", ")))};
    for (const IndexSpec& index : spec.indexes)
        statements << indexStatement(index, spec.table, QString());
    for (const FieldSpec& field : spec.fields)
        if (field.sorted && field.numbersSince > 0)
            statements << digitRunTriggers(field, spec.table, QString());
    return statements;
}

QStringList upgradeStatements(const TableSpec& spec, int version, const QString& schema)
{
    const QString alter = QStringLiteral("ALTER TABLE %1.%2 ADD COLUMN %3").arg(quoted(schema), quoted(spec.table));
    QStringList statements;
    for (const FieldSpec& field : spec.fields)
        if (field.since == version)
            statements << alter.arg(columnDefinition(field));
    for (const FieldSpec& field : spec.fields) {
        const int sortedFrom = std::max(field.since, field.sortedSince);
        if (field.sorted && sortedFrom == version) {
            for (const QString& column : sortColumnsAt(field, version))
                statements << alter.arg(column);
            if (field.numbersSince > 0 && version >= field.numbersSince)
                statements << digitRunTriggers(field, spec.table, quoted(schema) + QLatin1Char('.'));
        } else if (field.sorted && field.numbersSince == version && sortedFrom < version) {
            statements << numbersByValueStep(spec, field, schema);
        }
    }
    for (const IndexSpec& index : spec.indexes)
        if (index.since == version)
            statements << QStringLiteral("DROP INDEX IF EXISTS %1.%2").arg(quoted(schema), quoted(index.name))
                       << indexStatement(index, spec.table, schema);
    return statements;
}

} // namespace data
