#pragma once
// Chosen fields of every record in a table's view, in the view's order and within its filter,
// read by one query that steps through the file. For reading the whole view once (the
// export): moving the cursor record by record reads every field of every record, the memo
// too, and builds a value of each. Never moves the cursor and fires no event. The records are
// those the file holds when the query runs, so a record deleted elsewhere since the view was
// read is not among them. User-interface thread only.
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace engine {

class Statement;
class Table;

class ViewRecords {
public:
    /// True when the view can be read so: the table is open and its view is its order and
    /// filter alone (no master link).
    static bool canRead(const Table& table);

    /// Prepares the query for these fields (positions among the table's fields), which are
    /// the columns from 0 on. Requires canRead; throws EDatabaseError as reading the view would.
    ViewRecords(Table& table, const std::vector<int>& fieldIndexes);
    ~ViewRecords();
    ViewRecords(const ViewRecords&) = delete;
    ViewRecords& operator=(const ViewRecords&) = delete;

    /// Steps to the next record; false after the last.
    bool next();
    /// The UTF-8 bytes of a column holding text, as stored and valid until the next step;
    /// false when it holds no text (no value, a number).
    bool utf8(int column, const char*& data, qsizetype& size) const;
    /// The column's value as the field holds it on the record (Field::Value).
    QVariant value(int column) const;

private:
    std::unique_ptr<Statement> statement_;
};

} // namespace engine
