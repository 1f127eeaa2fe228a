#pragma once
// The records of a labels report: a number of empty places first (the used labels of a sheet
// that goes through the printer again), then the tapes of a table in its order and filter
// that lie in a range of tape numbers.
#include "TableReportProvider.h"
#include "TapeRange.h"

namespace output {

class LabelRecords : public report::ReportDataProvider {
public:
    /// table is not owned and must outlive the records.
    explicit LabelRecords(engine::Table& table);

    /// Empty places before the first tape.
    void setBlanks(int blanks) { blanks_ = blanks > 0 ? blanks : 0; }
    void setRange(const TapeRange& range) { range_ = range; }

    /// True when no tape lies in the range (empty places alone make no labels).
    bool isEmpty() override;
    void first() override;
    void next() override;
    bool eof() override;
    /// Empty for an empty place; the tape's field otherwise.
    QString fieldText(const QString& fieldName) override;
    void beginReading() override { tapes_.beginReading(); }
    void endReading() override { tapes_.endReading(); }

private:
    void skipOutside();

    engine::Table& table_;
    TableReportProvider tapes_;
    TapeRange range_;
    int blanks_ = 0;
    int blanksLeft_ = 0;
};

} // namespace output
