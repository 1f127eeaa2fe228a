#include "TextIndex.h"

#include "Fields.h"
#include "core/Errors.h"

namespace data {

namespace {

const QString kVideo = QStringLiteral("Video");
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
        return entries.toString() == tapes.toString();
    } catch (const core::EDatabaseError&) {
        return false;
    }
}

bool useTextIndexIfSound(engine::Database& db)
{
    const QString schema = db.attach(QStringLiteral("Video.db"));
    const bool sound = textIndexSound(db, schema);
    db.setTextIndex(schema, sound ? tapeTextIndex() : engine::Database::TextIndex{});
    return sound;
}

bool prepareTextIndex(engine::Database& db)
{
    if (useTextIndexIfSound(db))
        return true;
    const QString schema = db.attach(QStringLiteral("Video.db"));
    const QString q = QStringLiteral("\"%1\".").arg(schema);
    try {
        engine::Transaction transaction(db);
        for (const QString& trigger : kTriggers)
            db.exec(QStringLiteral("DROP TRIGGER IF EXISTS %1\"%2\"").arg(q, trigger));
        db.exec(QStringLiteral("DROP TABLE IF EXISTS %1\"%2\"").arg(q, kIndexTable));
        for (const QString& statement : textIndexStatements(q))
            db.exec(statement);
        transaction.commit();
    } catch (const core::EDatabaseError&) {
        return false; // searches walk
    }
    return useTextIndexIfSound(db);
}

} // namespace data
