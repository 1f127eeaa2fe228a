#include "CatalogueQuery.h"

#include "engine/Database.h"
#include "engine/Statement.h"

#include <sqlite3.h>

namespace importtest {

QStringList query(const QString& dataFolder, const QString& sql)
{
    engine::Database db(dataFolder);
    for (const char* file : {"Video.db", "Kategori.db", "Udlaan.db", "Type.db", "Instruktor.db", "Optagetaf.db",
                             "Skuespiller.DB", "Medvirker.db", "Config.DB"})
        db.attach(QString::fromLatin1(file));
    engine::Statement statement(db, sql);
    QStringList rows;
    while (statement.step()) {
        QStringList columns;
        for (int c = 0; c < statement.columnCount(); ++c)
            columns << (statement.columnType(c) == SQLITE_NULL ? QStringLiteral("NULL") : statement.text(c));
        rows << columns.join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace importtest
