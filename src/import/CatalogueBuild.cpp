#include "CatalogueBuild.h"

#include "ImportError.h"
#include "ImportTexts.h"
#include "ScratchFolder.h"
#include "catalogue/FolderSwap.h"
#include "core/Errors.h"
#include "data/DM.h"
#include "data/Fields.h"
#include "data/TextIndex.h"
#include "data/TimeText.h"
#include "engine/Database.h"
#include "engine/Statement.h"
#include "engine/TableCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace import {

namespace fields = data::fields;

namespace {

constexpr int startColumn = 2, endColumn = 3, durationColumn = 4;

// The new folder holds the one configuration record already; the old one's values replace
// its values where they are given.
QString configStatement(const CatalogueTable& table)
{
    QStringList sets;
    for (int i = 0; i < table.fields.size(); ++i)
        sets << QStringLiteral("%1 = coalesce(?%2, %1)").arg(engine::quoteId(table.fields[i].name)).arg(i + 1);
    return QStringLiteral("UPDATE \"Config\".\"Config\" SET %1 WHERE rowid = (SELECT min(rowid) FROM \"Config\".\"Config\")")
        .arg(sets.join(QStringLiteral(", ")));
}

// An import killed while building left its folder; nothing else is ever named so, and one
// import runs at a time on a program folder (the program's lock). While a swap note names
// one of them, it may hold the previous catalogue: nothing is removed until the swap is finished.
void removeUnfinishedBuilds(const QString& parent, const QString& dataFolder)
{
    if (catalogue::swapPending(dataFolder))
        return;
    for (const QFileInfo& entry : QDir(parent).entryInfoList({QStringLiteral("Data-import-*")}, QDir::Dirs))
        if (!entry.isSymLink())
            QDir(entry.absoluteFilePath()).removeRecursively();
}

} // namespace

QString insertStatement(const CatalogueTable& table)
{
    if (table.table == QLatin1String("Config"))
        return configStatement(table);
    QStringList columns;
    QStringList marks;
    for (const CatalogueField& field : table.fields) {
        columns << engine::quoteId(field.name);
        marks << QStringLiteral("?");
    }
    // The tape number and lookup values are keys: a duplicate is reported, not stored.
    const bool keyed = table.fields.first().kind == FieldKind::Key;
    return QStringLiteral("INSERT %1INTO %2.%2(%3) VALUES(%4)")
        .arg(keyed ? QStringLiteral("OR IGNORE ") : QString(), engine::quoteId(table.table),
             columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

namespace {

// As the record rules do on every post: the duration follows start and end, so an old
// duration is read only where one of them is missing.
bool isRecomputed(const CatalogueField& field, const QVector<QVariant>& row)
{
    return field.kind == FieldKind::LongTime && row[startColumn].isValid() && row[endColumn].isValid();
}

// The report names a control character by its code, so the line shows which one it was.
QString visibleControls(const QString& text)
{
    QString shown;
    for (const QChar c : text)
        shown += c.category() == QChar::Other_Control ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : QString(c);
    return shown;
}

void applyTapeRules(const CatalogueTable& table, QVector<QVariant>& row)
{
    // The record rules refuse such a number on every post; it would stay unsaveable.
    const QString tapeNr = row.first().toString();
    switch (data::tapeNrFault(tapeNr)) {
    case data::TapeNrFault::TooLong:
        throw EImportError(importText("TapeNrTooLong", QStringLiteral("TapeNr: \"%1\" er længere end %2 tegn"))
                               .arg(tapeNr)
                               .arg(data::kTapeNrWidth));
    case data::TapeNrFault::ControlCharacter:
        throw EImportError(importText("TapeNrControl", QStringLiteral("TapeNr: \"%1\" indeholder styretegn"))
                               .arg(visibleControls(tapeNr)));
    case data::TapeNrFault::None: break;
    }
    for (int i = 0; i < table.fields.size(); ++i)
        if (table.fields[i].name.compare(QLatin1String(fields::EAN), Qt::CaseInsensitive) == 0)
            if (const QString refusal = data::eanRefusal(row[i].toString()); !refusal.isEmpty())
                throw EImportError(refusal);
    if (row[startColumn].isValid() && row[endColumn].isValid())
        row[durationColumn] = data::durationText(row[startColumn].toString(), row[endColumn].toString());
}

} // namespace

void convertRow(const CatalogueTable& table, const ValueAt& value, QVector<QVariant>& row)
{
    for (int i = 0; i < table.fields.size(); ++i)
        row[i] = isRecomputed(table.fields[i], row) ? QVariant() : convertValue(value(i), table.fields[i]);
    if (table.table == QLatin1String("Video"))
        applyTapeRules(table, row);
}

qint64 addLookupValues(engine::Database& db, bool withCast)
{
    const std::pair<const char*, const char*> additions[] = {
        {fields::Optagetaf, "Video"}, {fields::Kategori, "Video"}, {fields::Instruktor, "Video"}, {fields::Skuespiller, "Medvirker"}};
    qint64 added = 0;
    for (const auto& [field, from] : additions) {
        if (!withCast && QLatin1String(from) == QLatin1String("Medvirker"))
            continue;
        const QString name = QString::fromLatin1(field);
        engine::Statement statement(
            db, QStringLiteral("INSERT OR IGNORE INTO %1.%1(%1) SELECT DISTINCT %1 FROM %2.%2 WHERE %1 <> ''")
                    .arg(engine::quoteId(name), engine::quoteId(QString::fromLatin1(from))));
        statement.run();
        added += statement.changes();
    }
    return added;
}

QStringList dropTapeIndexesForLoad(engine::Database& db)
{
    QStringList names;
    QStringList statements;
    {
        engine::Statement indexes(db, QStringLiteral("SELECT name, sql FROM \"Video\".sqlite_master WHERE type = 'index' "
                                                     "AND tbl_name = 'Video' AND sql IS NOT NULL AND name <> 'PrimaryKey'"));
        while (indexes.step()) {
            names << indexes.text(0);
            // SQLite keeps the statement without the schema: name it again.
            statements << indexes.text(1).replace(QRegularExpression(QStringLiteral("^CREATE (UNIQUE )?INDEX ")),
                                                  QStringLiteral("CREATE \\1INDEX \"Video\"."));
        }
    }
    for (const QString& name : names)
        db.exec(QStringLiteral("DROP INDEX \"Video\".%1").arg(engine::quoteId(name)));
    data::dropTextIndex(db, QStringLiteral("Video"));
    return statements;
}

void remakeTapeIndexes(engine::Database& db, const QStringList& statements, const std::function<void()>& tick,
                       bool withSearch)
{
    for (const QString& statement : statements)
        db.exec(statement);
    if (withSearch)
        data::makeTextIndex(db, QStringLiteral("Video"), [&tick](qint64, qint64) {
            if (tick)
                tick();
            return true;
        });
}

bool keepPresentSettings(engine::Database& db, const QString& dataFolder)
{
    const CatalogueTable& config = catalogueTables().last();
    QVector<QVariant> values;
    try {
        if (!QFileInfo(QDir(dataFolder).filePath(config.fileName)).isFile())
            return false;
        engine::Database present(dataFolder);
        present.attach(config.fileName);
        // An older configuration lacks the later fields: they keep the new file's defaults.
        const QStringList held = engine::columnNames(present, QStringLiteral("Config"));
        QStringList columns;
        for (const CatalogueField& field : config.fields)
            columns << (held.contains(field.name, Qt::CaseInsensitive) ? engine::quoteId(field.name) : QStringLiteral("NULL"));
        engine::Statement read(present, QStringLiteral("SELECT %1 FROM \"Config\".\"Config\" ORDER BY rowid LIMIT 1")
                                            .arg(columns.join(QStringLiteral(", "))));
        if (!read.step())
            return false;
        for (int i = 0; i < config.fields.size(); ++i)
            values << read.value(i);
    } catch (const core::EError&) {
        return false; // a configuration that cannot be read gives way to the new one's defaults
    }
    engine::Statement write(db, configStatement(config), config.fileName);
    for (int i = 0; i < values.size(); ++i)
        write.bind(i + 1, values[i]);
    write.run();
    return true;
}

QString buildAndSwap(const ImportOptions& options, const QString& keptPrefix, ImportReport& report,
                     const std::function<void(const QString& folder)>& build)
{
    if (options.dryRun) {
        const ScratchFolder scratch;
        build(scratch.path() + QStringLiteral("/Data"));
        return QString();
    }
    const QString parent = QFileInfo(options.dataFolder).absolutePath();
    removeUnfinishedBuilds(parent, options.dataFolder);
    const QString stamp = catalogue::folderStamp();
    const QString built = catalogue::unusedName(parent + QStringLiteral("/Data-import-") + stamp);
    try {
        build(built);
    } catch (...) {
        QDir(built).removeRecursively();
        throw;
    }
    const QString kept = catalogue::unusedName(parent + QLatin1Char('/') + keptPrefix + stamp);
    const bool hadData = QFileInfo::exists(options.dataFolder);
    catalogue::swapInFolder(built, options.dataFolder, kept);
    if (hadData)
        report.keptData = kept;
    return stamp;
}

void saveReport(ImportReport& report, const QString& dataFolder, const QString& stamp)
{
    const QString parent = QFileInfo(dataFolder).absolutePath();
    const QString path = catalogue::unusedName(parent + QStringLiteral("/Import-") + stamp, QStringLiteral(".txt"));
    report.reportFile = path;
    QSaveFile file(path);
    const QByteArray text = report.text().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        report.reportFile.clear();
}

} // namespace import
