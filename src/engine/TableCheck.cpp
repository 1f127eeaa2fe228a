#include "TableCheck.h"

#include "Database.h"
#include "PrivateConnection.h"
#include "Statement.h"
#include "core/Errors.h"

#include <QUrl>
#include <sqlite3.h>

namespace engine {

namespace {

QString quoteLiteral(QString value)
{
    return QLatin1Char('\'') + value.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

QString columnsQuery(const QString& schema, const QString& table)
{
    // The stored digit-run keys (isDigitRunColumn) are no fields either.
    return QStringLiteral("SELECT name FROM pragma_table_info(%1, %2) WHERE name NOT LIKE '%\\_fold0' ESCAPE '\\'")
        .arg(quoteLiteral(table), quoteLiteral(schema));
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
    PrivateConnection db(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE);
    QString error = db.error();
    for (const QString& sql : statements)
        if (error.isEmpty())
            error = db.run(sql);
    QStringList names;
    if (error.isEmpty())
        error = db.run(columnsQuery(QStringLiteral("main"), table), &names);
    if (!error.isEmpty())
        throw core::EDatabaseError(error);
    return names;
}

TableFileCheck inspectTableFile(const QString& path, const QString& table, Thoroughness how)
{
    TableFileCheck check;
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=ro");
    PrivateConnection db(uri, SQLITE_OPEN_READONLY);
    check.problem = db.error();
    if (!db.isOpen())
        return check;
    if (how == Thoroughness::Full) {
        QStringList answers;
        check.problem = db.run(QStringLiteral("PRAGMA integrity_check(5)"), &answers);
        if (check.problem.isEmpty() && answers != QStringList{QStringLiteral("ok")})
            check.problem = answers.join(QStringLiteral("; "));
    }
    if (check.problem.isEmpty())
        check.problem = db.run(columnsQuery(QStringLiteral("main"), table), &check.columns);
    QStringList version;
    if (check.problem.isEmpty())
        check.problem = db.run(QStringLiteral("PRAGMA user_version"), &version);
    check.version = version.value(0).toInt();
    return check;
}

} // namespace engine
