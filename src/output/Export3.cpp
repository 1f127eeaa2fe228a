#include "Export3.h"

#include "core/Errors.h"
#include "engine/Table.h"
#include "engine/ViewRecords.h"

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

// A text's stored UTF-8 bytes as trimmedOfControls gives the decoded text: blanks and control
// characters are single bytes in UTF-8, so trimming the bytes trims the text. Plain ASCII
// stays as bytes for the writer to copy; anything else is decoded.
void setStoredText(ExportCell& cell, const char* data, qsizetype size)
{
    while (size > 0 && uchar(data[0]) <= 32) {
        ++data;
        --size;
    }
    while (size > 0 && uchar(data[size - 1]) <= 32)
        --size;
    qsizetype ascii = 0;
    while (ascii < size && uchar(data[ascii]) < 0x80)
        ++ascii;
    cell.isPlain = ascii == size;
    if (cell.isPlain)
        cell.plain = QByteArrayView(data, size);
    else
        cell.text = QString::fromUtf8(data, size);
}

// Give the rest of the system a moment now and then; no window messages are handled
// meanwhile. (A yield per record cost more than the record itself.)
void yieldNowAndThen(int recordsRead)
{
    constexpr int kRecordsPerYield = 256;
    if (recordsRead % kRecordsPerYield == 0)
        QThread::yieldCurrentThread();
}

const QString kDataSet = QStringLiteral("DataSet");

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

void TQExport3::fillCell(const ExportColumn& column, const engine::Field& field, const QVariant& stored,
                         ExportCell& cell) const
{
    cell.isNull = field.isNullValue(stored);
    cell.isPlain = false;
    cell.text = cell.isNull ? Formats.NullString : trimmedOfControls(field.displayText(stored));
    cell.value = column.kind == ColumnKind::Text ? QVariant() : stored;
}

void TQExport3::readRow(std::vector<ExportCell>& cells) const
{
    cells.resize(columns_.size());
    for (size_t i = 0; i < columns_.size(); ++i) {
        const engine::Field& field = DataSet->Fields(columns_[i].fieldIndex);
        fillCell(columns_[i], field, field.Value(), cells[i]);
    }
}

void TQExport3::readRow(const engine::ViewRecords& records, std::vector<ExportCell>& cells) const
{
    cells.resize(columns_.size());
    for (size_t i = 0; i < columns_.size(); ++i) {
        const ExportColumn& column = columns_[i];
        ExportCell& cell = cells[i];
        const char* data = nullptr;
        qsizetype size = 0;
        // A text straight from its stored bytes; anything else (no value, a date) as the field shows it.
        if (column.kind == ColumnKind::Text && records.utf8(int(i), data, size) && size > 0) {
            cell.isNull = false;
            if (cell.value.isValid())
                cell.value.clear();
            setStoredText(cell, data, size);
        } else {
            fillCell(column, DataSet->Fields(column.fieldIndex), records.value(int(i)), cell);
        }
    }
}

bool TQExport3::exportsWholeView() const
{
    return GoToFirstRecord && !CurrentRecordOnly && SkipRecCount <= 0 && ExportRecCount <= 0;
}

void TQExport3::exportRecords()
{
    // Also settles a pending edit before anything is read.
    if (GoToFirstRecord && !CurrentRecordOnly)
        DataSet->First();
    if (exportsWholeView() && engine::ViewRecords::canRead(*DataSet))
        exportView();
    else
        walkRecords();
}

void TQExport3::exportView()
{
    std::vector<int> fields;
    for (const ExportColumn& column : columns_)
        fields.push_back(column.fieldIndex);
    engine::ViewRecords records(*DataSet, fields);
    std::vector<ExportCell> cells;
    for (int read = 1; records.next(); ++read) {
        readRow(records, cells);
        WriteRow(columns_, cells);
        yieldNowAndThen(read);
    }
    // Where a walk through the records leaves the table: at the last one, past the end.
    DataSet->Last();
}

void TQExport3::walkRecords()
{
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
        yieldNowAndThen(read);
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
