#include "Export3.h"

#include "core/Errors.h"
#include "engine/Table.h"

#include <QThread>

namespace output {

namespace {

ColumnKind kindOf(const engine::Field& field)
{
    switch (field.DataType()) {
    case engine::FieldKind::Integer: return ColumnKind::Integer;
    case engine::FieldKind::Date: return ColumnKind::Date;
    case engine::FieldKind::String: return ColumnKind::Text;
    case engine::FieldKind::Memo: break;
    }
    return ColumnKind::Other;
}

QString formatFor(ColumnKind kind, const TQExportFormats& formats)
{
    switch (kind) {
    case ColumnKind::Integer:
    case ColumnKind::LargeInteger: return formats.IntegerFormat;
    case ColumnKind::Float: return formats.FloatFormat;
    case ColumnKind::Currency: return formats.CurrencyFormat;
    case ColumnKind::Date: return formats.DateFormat;
    case ColumnKind::Time: return formats.TimeFormat;
    case ColumnKind::DateTime: return formats.DateTimeFormat;
    default: return QString();
    }
}

QString trimmedOfControls(const QString& text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return begin == 0 && end == text.size() ? text : text.mid(begin, end - begin);
}

const QString kDataSet = QStringLiteral("DataSet");
constexpr int kRecordsPerYield = 256;

} // namespace

TQExport3::TQExport3(QObject* owner) : QObject(owner) {}

void TQExport3::checkDataSet() const
{
    if (!DataSet)
        throw core::EExportError(QStringLiteral("Export source (%1) is not assigned").arg(kDataSet));
    if (!DataSet->Active())
        throw core::EExportError(QStringLiteral("Export source (%1) is closed").arg(kDataSet));
}

void TQExport3::buildColumns()
{
    columns_.clear();
    for (int i = 0; i < DataSet->FieldCount(); ++i) {
        const engine::Field& field = DataSet->Fields(i);
        if (field.IsBlob())
            continue;
        if (!ExportedFields.isEmpty() && !ExportedFields.contains(field.FieldName(), Qt::CaseInsensitive))
            continue;
        const ColumnKind kind = kindOf(field);
        columns_.push_back({field.FieldName(), field.DisplayLabel(), kind, formatFor(kind, Formats), i});
    }
}

void TQExport3::readRow(std::vector<ExportCell>& cells) const
{
    cells.resize(columns_.size());
    for (size_t i = 0; i < columns_.size(); ++i) {
        const engine::Field& field = DataSet->Fields(columns_[i].fieldIndex);
        ExportCell& cell = cells[i];
        cell.value = field.Value();
        cell.isNull = field.isNullValue(cell.value);
        cell.text = cell.isNull ? Formats.NullString : trimmedOfControls(field.displayText(cell.value));
    }
}

void TQExport3::exportRecords()
{
    if (GoToFirstRecord && !CurrentRecordOnly)
        DataSet->First();
    for (int skipped = 0; skipped < SkipRecCount && !DataSet->Eof(); ++skipped)
        DataSet->Next();
    std::vector<ExportCell> cells;
    int written = 0;
    for (int read = 1; !DataSet->Eof(); ++read) {
        if ((ExportRecCount > 0 && written >= ExportRecCount) || (CurrentRecordOnly && written == 1))
            break;
        // Deleted by another program since the view was read: not a record of empty values.
        if (!DataSet->RecordVanished()) {
            readRow(cells);
            WriteRow(columns_, cells);
            ++written;
        }
        if (CurrentRecordOnly)
            break;
        DataSet->Next();
        // Give the rest of the system a moment now and then; no window messages are handled
        // meanwhile. (A yield per record cost more than the record itself.)
        if (read % kRecordsPerYield == 0)
            QThread::yieldCurrentThread();
    }
}

void TQExport3::Execute()
{
    BeginExport();
    bool succeeded = false;
    try {
        checkDataSet();
        engine::ControlsDisabled disabled(*DataSet);
        buildColumns();
        if (ExportEmpty || DataSet->RecordCount() > 0) {
            WriteCaptions(columns_);
            exportRecords();
        }
        succeeded = true;
    } catch (...) {
        EndExport(false);
        throw;
    }
    EndExport(succeeded);
    AfterExport();
}

} // namespace output
