#include "TableCheck.h"

#include "Database.h"
#include "Statement.h"
#include "core/Errors.h"

#include <QUrl>
#include <memory>
#include <sqlite3.h>

namespace engine {

namespace {

struct CloseConnection {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, CloseConnection>;

// A connection of its own, outside any Database and its transaction scopes.
Connection openPrivate(const QString& name, int flags, QString* error)
{
    prepareSqliteLibrary();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(name.toUtf8().constData(), &db, flags | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    Connection connection(db);
    if (rc != SQLITE_OK)
        *error = sqliteErrorMessage(db, rc, QString());
    return rc == SQLITE_OK ? std::move(connection) : Connection();
}

QString text(sqlite3_stmt* statement, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

// Runs one statement to its end; each row's first column goes to rows. Returns SQLite's
// message on failure, else "".
QString query(sqlite3* db, const QString& sql, QStringList* rows)
{
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr);
    if (rc == SQLITE_OK)
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            if (rows)
                rows->append(text(statement, 0));
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE || rc == SQLITE_OK ? QString() : sqliteErrorMessage(db, rc, QString());
}

QString quoteLiteral(QString value)
{
    return QLatin1Char('\'') + value.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

QString columnsQuery(const QString& schema, const QString& table)
{
    return QStringLiteral("SELECT name FROM pragma_table_info(%1, %2)").arg(quoteLiteral(table), quoteLiteral(schema));
}

} // namespace

QStringList columnNames(Database& db, const QString& schema)
{
    Statement statement(db, columnsQuery(schema, schema));
    QStringList names;
    while (statement.step())
        names << statement.text(0);
    return names;
}

QStringList declaredColumns(const QStringList& statements, const QString& table)
{
    QString error;
    const Connection db = openPrivate(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE, &error);
    for (const QString& sql : statements)
        if (error.isEmpty())
            error = query(db.get(), sql, nullptr);
    QStringList names;
    if (error.isEmpty())
        error = query(db.get(), columnsQuery(QStringLiteral("main"), table), &names);
    if (!error.isEmpty())
        throw core::EDatabaseError(error);
    return names;
}

TableFileCheck inspectTableFile(const QString& path, const QString& table, Thoroughness how)
{
    TableFileCheck check;
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=ro");
    const Connection db = openPrivate(uri, SQLITE_OPEN_READONLY, &check.problem);
    if (!db)
        return check;
    if (how == Thoroughness::Full) {
        QStringList answers;
        check.problem = query(db.get(), QStringLiteral("PRAGMA integrity_check(5)"), &answers);
        if (check.problem.isEmpty() && answers != QStringList{QStringLiteral("ok")})
            check.problem = answers.join(QStringLiteral("; "));
    }
    if (check.problem.isEmpty())
        check.problem = query(db.get(), columnsQuery(QStringLiteral("main"), table), &check.columns);
    return check;
}

} // namespace engine
