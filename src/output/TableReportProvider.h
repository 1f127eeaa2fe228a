#pragma once
// A table as the records of a report: its current order and filter, from its first record to
// its end. The report moves the table's cursor, so the table is left on its last record; its
// bound controls stay quiet while the report reads.
#include "report/ReportDataProvider.h"

#include <QStringList>
#include <memory>

namespace engine {
class ControlsDisabled;
class Table;
}

namespace output {

class TableReportProvider : public report::ReportDataProvider {
public:
    /// table is not owned and must outlive the provider.
    explicit TableReportProvider(engine::Table& table);
    ~TableReportProvider() override;

    bool isEmpty() override;
    void first() override;
    void next() override;
    bool eof() override;
    /// The field's display text; a field the table lacks throws core::EDatabaseError.
    QString fieldText(const QString& fieldName) override;
    /// A date as year, month and day in digits (2001-05-17); nothing for other fields.
    QString shortFieldText(const QString& fieldName) override;
    /// For a date field of an open table, the dates a display text can differ by (every month,
    /// every weekday, two-digit days) as the field shows them; nothing for other fields.
    QStringList widestTexts(const QString& fieldName) const;
    void beginReading() override;
    void endReading() override;

private:
    void skipVanished();

    engine::Table& table_;
    std::unique_ptr<engine::ControlsDisabled> quiet_;
};

} // namespace output
