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
    Statement& bindText(int index, const QString& text);
    Statement& bindInt(int index, qint64 value);
    Statement& bindNull(int index);
    int parameterCount() const;

    /// True for a row, false when done; any other result throws EDatabaseError.
    bool step();
    /// Steps to the end, ignoring rows.
    void run();

    qint64 int64(int column) const;
    QString text(int column) const;
    /// SQLite's fundamental type of a column (SQLITE_INTEGER, ..., SQLITE_NULL).
    int columnType(int column) const;
    /// The column's value as SQLite holds it, valid until the next step.
    sqlite3_value* columnValue(int column) const;
    /// qint64, double, QString, QByteArray, or a null QVariant.
    QVariant value(int column) const;
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
