#pragma once
// A connection of its own, outside any Database and its transaction scopes, for one-off work
// on table files: checks and backups. Engine-internal; closes itself.
#include <QString>
#include <QStringList>

struct sqlite3;

namespace engine {

class PrivateConnection {
public:
    /// Opens name (a file URI or ":memory:") with the SQLite open flags, waiting up to the
    /// busy timeout for other programs' locks. On failure isOpen() is false and error() says why.
    PrivateConnection(const QString& name, int flags);
    ~PrivateConnection();
    PrivateConnection(const PrivateConnection&) = delete;
    PrivateConnection& operator=(const PrivateConnection&) = delete;

    /// True when the open succeeded.
    bool isOpen() const { return db_ != nullptr; }
    /// Why the open failed; empty after success.
    const QString& error() const { return error_; }
    /// The handle, owned by this object; null when not open.
    sqlite3* get() const { return db_; }

    /// Runs sql to its end; the first column of each row goes to rows. Returns SQLite's
    /// message on failure, else "".
    QString run(const QString& sql, QStringList* rows = nullptr);

private:
    sqlite3* db_ = nullptr;
    QString error_;
};

} // namespace engine
