#pragma once
// What the web catalogue shows of each tape, read from the catalogue's tables in one pass.
#include <QString>
#include <QStringList>
#include <vector>

namespace engine {
class Database;
}

namespace output {

/// One tape as the web catalogue lists and details it.
struct WebTape {
    QString number;
    QString title;
    QString category;
    QString type;
    QString director;
    QString location; ///< Placering; empty when the catalogue has no such field
    QString duration;
    QString description;
    bool lent = false;
    QStringList cast; ///< actor, role, actor, role, ...
};

/// Every tape of Video.db on db, in tape-number order, with its cast from Medvirker.db.
/// hasLocation tells whether Video.db holds the Placering field.
std::vector<WebTape> readWebTapes(engine::Database& db, bool* hasLocation);

} // namespace output
