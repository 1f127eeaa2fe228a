#include "TextIndex.h"

#include "Fields.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/SectionTexts.h"
#include "engine/Statement.h"

namespace data {

namespace {

const QString kVideo = QStringLiteral("Video");
// Tapes of row ids filled between two calls of the progress.
constexpr qint64 kStep = 20000;
// From this many tapes (some seconds of building) the opening shows the progress window.
constexpr qint64 kShownFrom = 50000;
// Up to this many tapes FTS5's integrity-check takes a tenth of a second or less.
constexpr qint64 kFullCheckUpTo = 2000;
const QString kIndexTable = QStringLiteral("VideoSoeg");
const QStringList kTriggers = {QStringLiteral("VideoSoeg_ny"), QStringLiteral("VideoSoeg_ret"),
                               QStringLiteral("VideoSoeg_slet")};

QString columnList(const QString& prefix)
{
    QStringList columns;
    for (const QString& field : tapeTextIndex().columns)
        columns << prefix + field;
    return columns.join(QStringLiteral(", "));
}

} // namespace

engine::Database::TextIndex tapeTextIndex()
{
    return {kIndexTable, {QString::fromLatin1(fields::TapeNr), QString::fromLatin1(fields::Titel),
                          QString::fromLatin1(fields::Kategori), QString::fromLatin1(fields::Indhold)}};
}

QStringList textIndexStatements(const QString& qualifier)
{
    const QString fts = QStringLiteral("\"%1\"").arg(kIndexTable);
    const QString columns = columnList(QString());
    const QString values = QStringLiteral("new.rowid, ") + columnList(QStringLiteral("new."));
    const QString removal = QStringLiteral("INSERT INTO %1(%1, rowid, %2) VALUES ('delete', old.rowid, %3);")
                                .arg(fts, columns, columnList(QStringLiteral("old.")));
    const QString addition = QStringLiteral("INSERT INTO %1(rowid, %2) VALUES (%3);").arg(fts, columns, values);
    // detail=column: no positions, a third of the size; a key's runs are asked for one by one
    // and the matcher decides anyway.
    return {
        QStringLiteral("CREATE VIRTUAL TABLE %1%2 USING fts5(%3, content='%4', content_rowid='rowid', "
                       "tokenize='trigram', detail='column')")
            .arg(qualifier, fts, columns, kVideo),
        QStringLiteral("CREATE TRIGGER %1\"%2\" AFTER INSERT ON \"%3\" BEGIN %4 END").arg(qualifier, kTriggers[0], kVideo, addition),
        QStringLiteral("CREATE TRIGGER %1\"%2\" AFTER UPDATE OF %3 ON \"%4\" BEGIN %5 %6 END")
            .arg(qualifier, kTriggers[1], columns, kVideo, removal, addition),
        QStringLiteral("CREATE TRIGGER %1\"%2\" AFTER DELETE ON \"%3\" BEGIN %4 END").arg(qualifier, kTriggers[2], kVideo, removal),
        QStringLiteral("INSERT INTO %1%2(%2) VALUES ('rebuild')").arg(qualifier, fts),
    };
}

bool textIndexSound(engine::Database& db, const QString& schema)
{
    const QString q = QStringLiteral("\"%1\".").arg(schema);
    try {
        // SQLite keeps the statements without the schema's name: compare with the unqualified ones.
        const QStringList expected = textIndexStatements(QString());
        const QStringList names = QStringList{kIndexTable} + kTriggers;
        for (int i = 0; i < names.size(); ++i) {
            const QVariant sql = db.scalar(QStringLiteral("SELECT sql FROM %1sqlite_master WHERE name = ?1").arg(q), {names[i]});
            if (sql.toString() != expected[i])
                return false;
        }
        const QVariant entries = db.scalar(QStringLiteral("SELECT count(*) || ' ' || ifnull(max(id), 0) FROM %1\"%2_docsize\"")
                                               .arg(q, kIndexTable));
        const QVariant tapes = db.scalar(QStringLiteral("SELECT count(*) || ' ' || ifnull(max(rowid), 0) FROM %1\"%2\"").arg(q, kVideo));
        if (entries.toString() != tapes.toString())
            return false;
        // FTS5 reads its structure record here: junk in it fails every later statement on the
        // table ("vtable constructor failed"), writes of tapes included. A rare trigram keeps it
        // to a page or two.
        db.scalar(QStringLiteral("SELECT rowid FROM %1\"%2\" WHERE \"%2\" MATCH '\"qxq\"' LIMIT 1").arg(q, kIndexTable));
        return true;
    } catch (const core::EDatabaseError&) {
        return false;
    }
}

bool textIndexIntact(engine::Database& db, const QString& schema)
{
    try {
        // Rank 0: the index's own consistency, without tokenizing every tape again (a third of the time).
        db.exec(QStringLiteral("INSERT INTO \"%1\".\"%2\"(\"%2\", rank) VALUES ('integrity-check', 0)").arg(schema, kIndexTable));
        return true;
    } catch (const core::EDatabaseError&) {
        return false;
    }
}

bool mendDamagedTextIndex(engine::Database& db, const QString& schema)
{
    if (textIndexSound(db, schema) && textIndexIntact(db, schema))
        return false;
    try {
        makeTextIndex(db, schema);
    } catch (const core::EDatabaseError&) {
        return false;
    }
    return textIndexSound(db, schema);
}

void mendTextIndexOnDamage(engine::Database& db)
{
    db.setDamageRepair([](engine::Database& database, const QString& schema) {
        return schema == kVideo && mendDamagedTextIndex(database, schema);
    });
}

bool useTextIndexIfSound(engine::Database& db)
{
    const QString schema = db.attach(QStringLiteral("Video.db"));
    const bool sound = textIndexSound(db, schema);
    db.setTextIndex(schema, sound ? tapeTextIndex() : engine::Database::TextIndex{});
    return sound;
}

namespace {

// Junk in the structure record leaves FTS5 unable to open the table, and DROP TABLE opens it
// too: the shadow tables get the rows of a new, empty index (taken from one made in temp),
// which FTS5 opens.
void emptyShadowTables(engine::Database& db, const QString& q)
{
    const QString fresh = QStringLiteral("VideoSoeg_tom");
    db.exec(QStringLiteral("DROP TABLE IF EXISTS temp.\"%1\"").arg(fresh));
    db.exec(QStringLiteral("CREATE VIRTUAL TABLE temp.\"%1\" USING fts5(x)").arg(fresh));
    for (const char* part : {"_data", "_idx", "_docsize", "_config"}) {
        const QString shadow = kIndexTable + QLatin1String(part);
        if (db.scalar(QStringLiteral("SELECT count(*) FROM %1sqlite_master WHERE name = ?1").arg(q), {shadow}).toInt() == 0)
            continue;
        db.exec(QStringLiteral("DELETE FROM %1\"%2\"").arg(q, shadow));
        if (QLatin1String(part) == QLatin1String("_data") || QLatin1String(part) == QLatin1String("_config"))
            db.exec(QStringLiteral("INSERT INTO %1\"%2\" SELECT * FROM temp.\"%3%4\"").arg(q, shadow, fresh, QLatin1String(part)));
    }
    db.exec(QStringLiteral("DROP TABLE temp.\"%1\"").arg(fresh));
}

} // namespace

void dropTextIndex(engine::Database& db, const QString& schema)
{
    const QString q = QStringLiteral("\"%1\".").arg(schema);
    for (const QString& trigger : kTriggers)
        db.exec(QStringLiteral("DROP TRIGGER IF EXISTS %1\"%2\"").arg(q, trigger));
    const QString drop = QStringLiteral("DROP TABLE IF EXISTS %1\"%2\"").arg(q, kIndexTable);
    try {
        db.exec(drop);
    } catch (const core::EDatabaseError&) {
        emptyShadowTables(db, q);
        db.exec(drop);
    }
}

bool makeTextIndex(engine::Database& db, const QString& schema, const TextIndexProgress& progress)
{
    const QString q = QStringLiteral("\"%1\".").arg(schema);
    dropTextIndex(db, schema);
    QStringList statements = textIndexStatements(q);
    statements.removeLast(); // filled below in steps, so progress can be shown
    for (const QString& statement : std::as_const(statements))
        db.exec(statement);
    // Steps of row ids, as 'rebuild' would insert them: the same index, in the same order.
    const qint64 first = db.scalar(QStringLiteral("SELECT ifnull(min(rowid), 1) - 1 FROM %1\"%2\"").arg(q, kVideo)).toLongLong();
    const qint64 last = db.scalar(QStringLiteral("SELECT ifnull(max(rowid), 0) FROM %1\"%2\"").arg(q, kVideo)).toLongLong();
    const QString fill = QStringLiteral("INSERT INTO %1\"%2\"(rowid, %3) SELECT rowid, %3 FROM %1\"%4\" "
                                        "WHERE rowid > ?1 AND rowid <= ?2 ORDER BY rowid")
                             .arg(q, kIndexTable, columnList(QString()), kVideo);
    for (qint64 from = first; from < last; from += kStep) {
        if (progress && !progress(from - first, last - first))
            return false;
        engine::Statement(db, fill).bindInt(1, from).bindInt(2, from + kStep).run();
    }
    return !progress || progress(last - first, last - first);
}

bool prepareTextIndex(engine::Database& db)
{
    const QString schema = db.attach(QStringLiteral("Video.db"));
    if (useTextIndexIfSound(db)) {
        // The whole check costs about 5 seconds per 100,000 tapes: a small catalogue has it at
        // every opening, a large one when a write meets damage.
        const qint64 tapes = db.scalar(QStringLiteral("SELECT count(*) FROM \"%1\".\"%2\"").arg(schema, kVideo)).toLongLong();
        if (tapes > kFullCheckUpTo || textIndexIntact(db, schema))
            return true;
        db.setTextIndex(schema, engine::Database::TextIndex{});
    }
    const QString text = core::sectionText("Catalogue", "TextIndexProgress",
                                           QStringLiteral("Søgeindekset over båndene bygges ..."));
    bool made = false;
    bool shown = false;
    // A catalogue made in a moment shows no window.
    const auto progress = [&](qint64 done, qint64 total) {
        if (total < kShownFrom)
            return true;
        shown = true;
        return core::dialogs().progress(text, done, total);
    };
    try {
        engine::Transaction transaction(db);
        made = makeTextIndex(db, schema, progress);
        if (made)
            transaction.commit();
    } catch (const core::EDatabaseError&) {
        made = false;
    }
    if (shown)
        core::dialogs().endProgress();
    // Cancelled or not writable: searches walk, and the next opening tries again.
    return made && useTextIndexIfSound(db);
}

} // namespace data
