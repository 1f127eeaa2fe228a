#include "Export3FormatText.h"

#include <QDateTime>
#include <QLocale>

namespace output {

namespace {
QString valueOf(const QStringList& lines, const QString& name)
{
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1);
    }
    return QString();
}

QDateTime readDateTime(const QString& text)
{
    const QLocale locale;
    for (const QString& format : {locale.dateFormat(QLocale::ShortFormat), QStringLiteral("yyyy-MM-dd")}) {
        const QDate date = locale.toDate(text, format);
        if (date.isValid())
            return QDateTime(date, QTime(0, 0));
    }
    const QDateTime dateTime = locale.toDateTime(text, QLocale::ShortFormat);
    if (dateTime.isValid())
        return dateTime;
    const QTime time = locale.toTime(text, QLocale::ShortFormat);
    return time.isValid() ? QDateTime(QDate(1899, 12, 30), time) : QDateTime();
}
} // namespace

QString TQExport3FormatText::captionOf(const ExportColumn& column) const
{
    const QString caption = valueOf(Captions, column.name);
    return caption.isEmpty() ? column.caption : caption;
}

void TQExport3FormatText::BeginExport()
{
    TQExport3AdvancedText::BeginExport();
    locale_ = QLocale();
    shortDateFormat_ = locale_.dateFormat(QLocale::ShortFormat);
    formats_.clear();
}

const QString& TQExport3FormatText::formatOf(const ExportColumn& column) const
{
    auto it = formats_.constFind(column.fieldIndex);
    if (it == formats_.cend()) {
        const QString user = valueOf(UserFormats, column.name);
        it = formats_.insert(column.fieldIndex, user.isEmpty() ? column.format : user);
    }
    return *it;
}

QString TQExport3FormatText::formattedDate(const QString& format, const ExportCell& cell) const
{
    const QDate date = QDate::fromString(cell.value.toString(), Qt::ISODate);
    if (!date.isValid())
        return QString();
    // The field's own text is the date in the short date format already.
    if (format == shortDateFormat_)
        return cell.text;
    return locale_.toString(QDateTime(date, QTime(0, 0)), format);
}

QString TQExport3FormatText::formatted(const ExportColumn& column, const ExportCell& cell) const
{
    if (cell.isNull)
        return Formats.NullString;
    bool ok = false;
    switch (column.kind) {
    case ColumnKind::Integer:
    case ColumnKind::LargeInteger: {
        const qlonglong value = cell.text.toLongLong(&ok);
        return formatNumber(ok ? double(value) : 0.0, formatOf(column));
    }
    case ColumnKind::Float:
    case ColumnKind::Currency: {
        const double value = locale_.toDouble(cell.text, &ok);
        return ok ? formatNumber(value, formatOf(column)) : QString();
    }
    case ColumnKind::Date:
        return formattedDate(formatOf(column), cell);
    case ColumnKind::Time:
    case ColumnKind::DateTime: {
        const QDateTime value = readDateTime(cell.text);
        return value.isValid() ? locale_.toString(value, formatOf(column)) : QString();
    }
    default:
        return cell.shownText();
    }
}

} // namespace output
