#pragma once
// A prepared statement borrowed from the connection's cache for one use: bound, stepped and
// handed back (reset, bindings cleared) when it goes out of scope. Engine-internal.
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

namespace engine {

class Database;

class Statement {
public:
    /// context: the file the statement works on, named in error messages.
    Statement(Database& db, const QString& sql, const QString& context = QString());
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    /// Parameters are numbered from 1. A null QVariant binds NULL.
    Statement& bind(int index, const QVariant& value);
    /// Binds a text as UTF-8; an index the statement lacks binds nothing.
    Statement& bindText(int index, const QString& text);
    /// Binds an integer, as bindText.
    Statement& bindInt(int index, qint64 value);
    /// Binds NULL, as bindText.
    Statement& bindNull(int index);
    /// The number of the highest parameter.
    int parameterCount() const;

    /// True for a row, false when done; any other result throws EDatabaseError.
    bool step();
    /// Steps to the end, ignoring rows.
    void run();

    /// A column of the current row as an integer (0 for null).
    qint64 int64(int column) const;
    /// A column of the current row as text (empty for null).
    QString text(int column) const;
    /// SQLite's fundamental type of a column (SQLITE_INTEGER, ..., SQLITE_NULL).
    int columnType(int column) const;
    /// The column's value as SQLite holds it, valid until the next step.
    sqlite3_value* columnValue(int column) const;
    /// qint64, double, QString, QByteArray, or a null QVariant.
    QVariant value(int column) const;
    /// The number of columns of the result.
    int columnCount() const;
    /// Rows changed by the last write on the connection.
    int changes() const;
    /// The row id of the last row inserted on the connection.
    qint64 lastInsertRowid() const;

private:
    Database& db_;
    QString sql_;
    QString context_;
    sqlite3_stmt* stmt_;
};

/// The message for an SQLite result code: "Key violation." for a duplicate unique key,
/// "Field '%s' must have a value" for a missing required value, else SQLite's message
/// with the context (a file) appended.
QString sqliteErrorMessage(sqlite3* db, int rc, const QString& context);
[[noreturn]] void throwSqliteError(sqlite3* db, int rc, const QString& context);

/// An SQL identifier in double quotes.
QString quoteId(const QString& name);

} // namespace engine
