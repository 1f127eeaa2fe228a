#pragma once
// Data and reports for the report engine's tests.
#include "report/Report.h"
#include "report/ReportDataProvider.h"

#include <QMap>
#include <QString>
#include <functional>
#include <vector>

namespace testing_support {

/// Records held in memory; counts how often the report asked for them.
class MemoryProvider : public report::ReportDataProvider {
public:
    using Record = QMap<QString, QString>;
    explicit MemoryProvider(std::vector<Record> records = {}) : records_(std::move(records)) {}

    bool isEmpty() override { return records_.empty(); }
    void first() override { ++firstCalls; pos_ = 0; }
    void next() override { ++pos_; }
    bool eof() override { return pos_ >= records_.size(); }
    QString fieldText(const QString& name) override;
    void beginReading() override { ++beginCalls; }
    void endReading() override { ++endCalls; }

    /// count records whose "Nr" is 1, 2, ... and "Titel" "Film 1", "Film 2", ...
    static std::vector<Record> numbered(int count);

    /// The record the provider is on (0-based; the number of records past the last).
    size_t position() const { return pos_; }

    int firstCalls = 0;
    int fieldCalls = 0;
    /// Called with the record's index whenever a field is read, e.g. to act as the user would meanwhile.
    std::function<void(int record)> onRead;
    int beginCalls = 0;
    int endCalls = 0;
    /// fieldText throws core::EDatabaseError on this record (0-based); -1 never.
    int failAtRecord = -1;

private:
    std::vector<Record> records_;
    size_t pos_ = 0;
};

/// The geometry of the tape list: A4 landscape, margins 10/10/15/10, a title band 13.49 mm,
/// a framed silver column header 6.09 mm, detail 6.35 mm with fields "Nr" (at 4.23, 17.20
/// wide) and "Titel" (at 23.28, 69.06 wide), and a footer 6.35 mm with "Bånd i alt: ", the
/// count at 23.28 and "Side " right-aligned in 20.11 mm at 247.39.
report::Report makeListReport(report::ReportDataProvider* data, const QString& title = QStringLiteral("Spolarkiv"));

} // namespace testing_support
