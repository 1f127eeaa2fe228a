#include "ValueConversion.h"

#include "ImportError.h"
#include "ImportTexts.h"
#include "core/Errors.h"
#include "data/TimeText.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <cmath>

namespace import {

namespace {

constexpr qint64 dayMilliseconds = 86400000;

QVector<CatalogueTable> buildTables()
{
    QVector<CatalogueTable> tables;
    for (const data::TableSpec& spec : data::tableSpecs()) {
        CatalogueTable table{spec.fileName, spec.table, {}};
        for (const data::FieldSpec& field : spec.fieldsAt(data::kSchemaVersion))
            table.fields.push_back({QString::fromLatin1(field.name), field.kind});
        tables.push_back(table);
    }
    return tables;
}

[[noreturn]] void refuse(const CatalogueField& field, const QString& reason)
{
    throw EImportError(QStringLiteral("%1: %2").arg(field.name, reason));
}

QString numberText(double value)
{
    return QString::number(value, 'g', 15);
}

QString textOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Ja") : QStringLiteral("Nej");
    case QMetaType::Double:
        return numberText(value.toDouble());
    case QMetaType::QDate:
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QTime:
        return clockText(value.toTime().msecsSinceStartOfDay());
    case QMetaType::QDateTime: {
        const QDateTime stamp = value.toDateTime();
        return QLocale().toString(stamp.date(), QLocale::ShortFormat) + QLatin1Char(' ')
               + clockText(stamp.time().msecsSinceStartOfDay());
    }
    default:
        return value.toString();
    }
}

int timeOfText(const QString& text, const CatalogueField& field)
{
    try {
        const double fraction = data::parseTime(data::normalizeTimeEntry(text.trimmed()));
        return int(std::llround(fraction * dayMilliseconds));
    } catch (const core::EError& e) {
        refuse(field, e.message());
    }
}

int timeOf(const QVariant& value, const CatalogueField& field)
{
    switch (value.typeId()) {
    case QMetaType::QTime:
        return value.toTime().msecsSinceStartOfDay();
    case QMetaType::QDateTime:
        return value.toDateTime().time().msecsSinceStartOfDay();
    case QMetaType::QString:
        return timeOfText(value.toString(), field);
    default:
        refuse(field, importText("NotATime", QStringLiteral("\"%1\" er ikke et klokkeslæt")).arg(textOf(value)));
    }
}

QVariant dateOf(const QVariant& value, const CatalogueField& field)
{
    QDate date;
    if (value.typeId() == QMetaType::QDate)
        date = value.toDate();
    else if (value.typeId() == QMetaType::QDateTime)
        date = value.toDateTime().date();
    else if (value.typeId() == QMetaType::QString)
        date = parseDateText(value.toString());
    if (!date.isValid())
        refuse(field, importText("NotADate", QStringLiteral("\"%1\" er ikke en dato")).arg(textOf(value)));
    return date.toString(Qt::ISODate);
}

QVariant integerOf(const QVariant& value, const CatalogueField& field)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Bool:
        return value.toLongLong();
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (number == std::trunc(number) && std::fabs(number) < 9.0e15)
            return qint64(number);
        break;
    }
    case QMetaType::QString:
        try {
            return core::strToInt(value.toString());
        } catch (const core::EError& e) {
            refuse(field, e.message());
        }
    default:
        break;
    }
    refuse(field, importText("NotAnInteger", QStringLiteral("\"%1\" er ikke et heltal")).arg(textOf(value)));
}

QString memoText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

const QVector<CatalogueTable>& catalogueTables()
{
    static const QVector<CatalogueTable> tables = buildTables();
    return tables;
}

QString clockText(int msecsSinceMidnight)
{
    const QTime time = QTime::fromMSecsSinceStartOfDay(msecsSinceMidnight);
    return time.toString(time.second() ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
}

namespace {

// Qt reads a short form's two-digit year as 19yy, so a date of 2001 written as 10/12/01 would
// come back a century early; as Windows does, 00 to 29 are read as 20yy.
QDate shortFormDate(const QLocale& locale, const QString& text)
{
    const QDate date = locale.toDate(text, QLocale::ShortFormat);
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    if (date.isValid() && !format.contains(QStringLiteral("yyyy")) && date.year() < 1930)
        return date.addYears(100);
    return date;
}

} // namespace

QDate parseDateText(const QString& text)
{
    const QString trimmed = text.trimmed();
    QDate date = QDate::fromString(trimmed, Qt::ISODate);
    if (!date.isValid())
        date = shortFormDate(QLocale(), trimmed);
    if (!date.isValid())
        date = shortFormDate(QLocale::system(), trimmed);
    static const char* const forms[] = {"d-M-yyyy", "d.M.yyyy", "d/M/yyyy", "yyyy.M.d", "yyyy/M/d"};
    for (const char* form : forms) {
        if (date.isValid())
            break;
        date = QDate::fromString(trimmed, QString::fromLatin1(form));
    }
    return date;
}

QVariant convertValue(const QVariant& value, const CatalogueField& field)
{
    const bool blank = !value.isValid() || (value.typeId() == QMetaType::QString && value.toString().isEmpty());
    if (blank) {
        if (field.kind == FieldKind::Key)
            refuse(field, importText("EmptyKey", QStringLiteral("tom værdi")));
        return QVariant();
    }
    switch (field.kind) {
    case FieldKind::Text:
    case FieldKind::Key:
        return textOf(value);
    case FieldKind::Time:
        return clockText(timeOf(value, field));
    case FieldKind::LongTime:
        return QTime::fromMSecsSinceStartOfDay(timeOf(value, field)).toString(QStringLiteral("HH:mm:ss"));
    case FieldKind::Date:
        return dateOf(value, field);
    case FieldKind::Integer:
        return integerOf(value, field);
    case FieldKind::Memo:
        return memoText(textOf(value));
    }
    return QVariant();
}

} // namespace import
