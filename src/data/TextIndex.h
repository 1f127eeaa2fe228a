#pragma once
// The tapes' full-text index: an SQLite FTS5 table with the trigram tokenizer over the fields
// the searches look in, kept by triggers in the same transaction as every insert, change and
// delete of a tape, so any SQLite tool that writes Video.db keeps it too. The searches take
// only candidates from it and decide with their own matcher; an index found unsound is
// rebuilt, or not used.
#include "engine/Database.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace data {

/// The index's table and the tape fields it covers.
engine::Database::TextIndex tapeTextIndex();

/// The statements that make the index in the schema holding Video (a qualifier such as
/// "\"Video\"." or "" for the file's own connection) and fill it from the tapes: the FTS5
/// table and its three triggers. Run in one transaction.
QStringList textIndexStatements(const QString& qualifier);

/// True when the attached schema holds the index as the statements make it, it has one
/// entry per tape (the same count and the same highest row id) and FTS5 can open it. Reads
/// only, a few pages: junk deeper inside is found by textIndexIntact.
bool textIndexSound(engine::Database& db, const QString& schema);

/// True when FTS5's own integrity-check finds the attached schema's index consistent. Reads
/// the whole index: seconds at 100,000 tapes, so it runs when a write met damage.
bool textIndexIntact(engine::Database& db, const QString& schema);

/// When Video's index in the attached schema cannot be opened or fails textIndexIntact,
/// makes it again inside the caller's transaction; true when it did. A damaged index never
/// stops a write of a tape.
bool mendDamagedTextIndex(engine::Database& db, const QString& schema);

/// Lets a write of a tape through db that meets a damaged index mend it with
/// mendDamagedTextIndex and go on (Database::setDamageRepair).
void mendTextIndexOnDamage(engine::Database& db);

/// Called now and then while the index fills, with the tapes done and their count; false stops
/// the building.
using TextIndexProgress = std::function<bool(qint64 done, qint64 total)>;

/// Drops the index and its triggers in the attached schema holding Video (a bulk load then
/// makes it once after the rows, with makeTextIndex), also an index FTS5 cannot open.
void dropTextIndex(engine::Database& db, const QString& schema);

/// Drops the index in the attached schema holding Video and makes it again from the tapes,
/// inside the caller's transaction. False when progress stopped it (the caller rolls back).
bool makeTextIndex(engine::Database& db, const QString& schema, const TextIndexProgress& progress = {});

/// Makes Video's index sound, dropping and building it in one transaction when it is missing
/// or not sound (with the program's progress window), and lets searches use it. A file that
/// cannot be written then (read-only, busy) or a building cancelled opens without it: searches
/// walk. Returns true when searches use the index.
bool prepareTextIndex(engine::Database& db);

/// Lets searches use Video's index when it is sound; writes nothing (for the commands that
/// only read Data). Returns true when searches use the index.
bool useTextIndexIfSound(engine::Database& db);

} // namespace data
