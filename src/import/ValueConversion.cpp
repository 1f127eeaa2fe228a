#include "ValueConversion.h"

#include "ImportError.h"
#include "ImportTexts.h"
#include "core/Errors.h"
#include "data/Fields.h"
#include "data/TimeText.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <cmath>

namespace import {

namespace fields = data::fields;

namespace {

constexpr qint64 dayMilliseconds = 86400000;

QVector<CatalogueTable> buildTables()
{
    const auto text = [](const char* name) { return CatalogueField{QString::fromLatin1(name), FieldKind::Text}; };
    const auto lookup = [](const char* file, const char* name) {
        return CatalogueTable{QString::fromLatin1(file), QString::fromLatin1(name),
                              {CatalogueField{QString::fromLatin1(name), FieldKind::Key}}};
    };
    const auto integer = [](const char* name) { return CatalogueField{QString::fromLatin1(name), FieldKind::Integer}; };
    return {
        {QStringLiteral("Video.db"), QStringLiteral("Video"),
         {{fields::TapeNr, FieldKind::Key}, text(fields::Titel), {fields::Start, FieldKind::Time},
          {fields::Slut, FieldKind::Time}, {fields::Varighed, FieldKind::LongTime}, text(fields::Type),
          text(fields::Kopi), text(fields::Laengde), text(fields::Kategori), text(fields::Udlaan), text(fields::Instruktor), text(fields::Optagetaf),
          {fields::OptagetDato, FieldKind::Date}, text(fields::Fabrikat), {fields::Indhold, FieldKind::Memo}}},
        lookup("Kategori.db", fields::Kategori),
        {QStringLiteral("Udlaan.db"), QStringLiteral("Udlaan"),
         {text(fields::LinkTapeNr), {fields::Dato, FieldKind::Date}, text(fields::Navn), text(fields::Telefon), text(fields::Returneret)}},
        lookup("Type.db", fields::Type),
        lookup("Instruktor.db", fields::Instruktor),
        lookup("Optagetaf.db", fields::Optagetaf),
        lookup("Skuespiller.DB", "Skuespiller"),
        {QStringLiteral("Medvirker.db"), QStringLiteral("Medvirker"),
         {text(fields::LinkTapeNr), text(fields::Titel), text(fields::Skuespiller), text(fields::Rolle)}},
        {QStringLiteral("Config.DB"), QStringLiteral("Config"),
         {integer("H_Main"), integer("W_Main"), integer("Sprog"), integer("H_Over"), integer("W_Over"), integer("H_Reg"),
          integer("W_Reg")}},
    };
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
        const double fraction = data::parseTime(data::normaliseTimeEntry(text.trimmed()));
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
