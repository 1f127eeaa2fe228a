#pragma once
// The records a report prints, one after the other. The report knows nothing of tables: the
// caller adapts its data to this.
#include <QString>

namespace report {

class ReportDataProvider {
public:
    virtual ~ReportDataProvider() = default;
    /// True when there is no record at all.
    virtual bool isEmpty() = 0;
    /// Goes to the first record.
    virtual void first() = 0;
    /// Goes to the next record; after the last, eof() turns true.
    virtual void next() = 0;
    /// True when there is no current record (past the last, or none at all).
    virtual bool eof() = 0;
    /// Display text of a field of the current record.
    virtual QString fieldText(const QString& fieldName) = 0;
    /// A shorter form of the field's text that says the same (a date in digits), printed when
    /// the display text does not fit its box; empty when there is none.
    virtual QString shortFieldText(const QString& fieldName) { (void)fieldName; return QString(); }

    /// Called before the report reads the records and after it has read them (also when the
    /// reading fails part-way), e.g. to keep bound controls quiet meanwhile.
    virtual void beginReading() {}
    virtual void endReading() {}
};

} // namespace report
