#include "PrivateConnection.h"

#include "Database.h"
#include "Statement.h"

#include <sqlite3.h>

namespace engine {

namespace {
constexpr int kBusyTimeoutMs = 5000;
}

PrivateConnection::PrivateConnection(const QString& name, int flags)
{
    prepareSqliteLibrary();
    const int rc = sqlite3_open_v2(name.toUtf8().constData(), &db_, flags | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        error_ = sqliteErrorMessage(db_, rc, QString());
        sqlite3_close_v2(db_);
        db_ = nullptr;
        return;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
}

PrivateConnection::~PrivateConnection()
{
    sqlite3_close_v2(db_);
}

QString PrivateConnection::run(const QString& sql, QStringList* rows)
{
    const QByteArray utf8 = sql.toUtf8();
    const char* rest = utf8.constData();
    int rc = SQLITE_OK;
    // Several statements run one after the other, as sqlite3_exec would.
    while (rc == SQLITE_OK && rest && *rest) {
        sqlite3_stmt* statement = nullptr;
        rc = sqlite3_prepare_v2(db_, rest, -1, &statement, &rest);
        if (rc != SQLITE_OK || !statement)
            break;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            if (rows)
                rows->append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
        sqlite3_finalize(statement);
        rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
    }
    return rc == SQLITE_OK ? QString() : sqliteErrorMessage(db_, rc, QString());
}

} // namespace engine
