#include "Statement.h"
#include "core/SectionTexts.h"

#include "Database.h"
#include "core/Errors.h"

#include <QDir>
#include <sqlite3.h>

namespace engine {

QString quoteId(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString sqliteErrorMessage(sqlite3* db, int rc, const QString& context)
{
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    switch (rc) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return QStringLiteral("Key violation.");
    case SQLITE_CONSTRAINT_NOTNULL: {
        // "NOT NULL constraint failed: Table.Field"
        const QString field = message.section(QLatin1Char('.'), -1);
        return QStringLiteral("Field '%1' must have a value").arg(field);
    }
    default:
        break;
    }
    // Another program held the files past the busy timeout; nothing of this step was written.
    if ((rc & 0xff) == SQLITE_BUSY)
        return core::sectionText("Catalogue", "Busy", QStringLiteral("Kataloget er optaget: et andet program bruger dets filer. Prøv igen om et øjeblik."));
    if (context.isEmpty())
        return message;
    return QStringLiteral("%1 (%2)").arg(message, QDir::toNativeSeparators(context));
}

void throwSqliteError(sqlite3* db, int rc, const QString& context)
{
    throw core::EDatabaseError(sqliteErrorMessage(db, rc, context));
}

Statement::Statement(Database& db, const QString& sql, const QString& context)
    : db_(db), sql_(sql), context_(context), stmt_(db.acquireStatement(sql))
{
}

Statement::~Statement()
{
    db_.releaseStatement(sql_, stmt_);
}

Statement& Statement::bind(int index, const QVariant& value)
{
    if (value.isNull())
        return bindNull(index);
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
        return bindInt(index, value.toLongLong());
    case QMetaType::Double:
        sqlite3_bind_double(stmt_, index, value.toDouble());
        return *this;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(stmt_, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        return *this;
    }
    default:
        return bindText(index, value.toString());
    }
}

Statement& Statement::bindText(int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindInt(int index, qint64 value)
{
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::bindNull(int index)
{
    sqlite3_bind_null(stmt_, index);
    return *this;
}

int Statement::parameterCount() const
{
    return sqlite3_bind_parameter_count(stmt_);
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throwSqliteError(db_.handle(), rc, context_);
}

void Statement::run()
{
    while (step()) {
    }
}

qint64 Statement::int64(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

int Statement::columnType(int column) const
{
    return sqlite3_column_type(stmt_, column);
}

sqlite3_value* Statement::columnValue(int column) const
{
    return sqlite3_column_value(stmt_, column);
}

QString Statement::text(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(stmt_, column));
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, column));
    case SQLITE_TEXT:
        return QVariant(text(column));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(stmt_, column)));
    }
    default:
        return QVariant();
    }
}

int Statement::columnCount() const
{
    return sqlite3_column_count(stmt_);
}

int Statement::changes() const
{
    return sqlite3_changes(db_.handle());
}

qint64 Statement::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(db_.handle());
}

} // namespace engine
