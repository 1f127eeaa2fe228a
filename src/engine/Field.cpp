#include "Field.h"

#include "Table.h"
#include "core/Errors.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>

namespace engine {

namespace {
QString invalidDateMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid date").arg(text);
}

// The system's short date format, with a two-digit year widened to four digits: a date shown
// with two and written back by a bound control would otherwise move to another century.
QString displayFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

// Day, month and a four-digit year as a Danish user types them (01-02-2003, 1/2-2003,
// 01.02.2003), read so whatever the system's locale, as the time edits read 0130.
QDate dayMonthYear(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})\\s*[-./]\\s*(\\d{1,2})\\s*[-./]\\s*(\\d{4})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return {};
    return QDate(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
}

// Dates are typed in the shown format, in the system's own short format (a two-digit year
// taken within 80 years back and 20 ahead), in the stored ISO form, or day-month-year.
QString isoDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    const QLocale locale;
    QDate date = locale.toDate(trimmed, displayFormat(locale));
    if (!date.isValid()) {
        date = locale.toDate(trimmed, QLocale::ShortFormat);
        const QString format = locale.dateFormat(QLocale::ShortFormat);
        if (date.isValid() && !format.contains(QLatin1String("yyyy")) && date.year() < 2000
            && date.addYears(100).year() <= QDate::currentDate().year() + 20)
            date = date.addYears(100);
    }
    if (!date.isValid())
        date = QDate::fromString(trimmed, Qt::ISODate);
    if (!date.isValid())
        date = dayMonthYear(trimmed);
    if (!date.isValid())
        throw core::EConvertError(invalidDateMessage(text));
    return date.toString(Qt::ISODate);
}

// A number in at least width digits, zero-padded, without building a text for it.
void appendPadded(QString& out, int value, int width)
{
    if (value < 0) {
        out += QString::number(value).rightJustified(width, QLatin1Char('0'));
        return;
    }
    char digits[12];
    int count = 0;
    do {
        digits[count++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = count; i < width; ++i)
        out += QLatin1Char('0');
    while (count > 0)
        out += QLatin1Char(digits[--count]);
}

// Numeric date formats ("dd.MM.yyyy", "d/M/yy") written directly; anything else (month
// names) by the locale. Returns false for a format it does not handle.
bool formatNumericDate(const QDate& date, const QString& format, QString& out)
{
    out.reserve(format.size() + 2);
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        i += run;
        int value = 0;
        if (c == QLatin1Char('d') && run <= 2)
            value = date.day();
        else if (c == QLatin1Char('M') && run <= 2)
            value = date.month();
        else if (c == QLatin1Char('y') && (run == 2 || run == 4))
            value = run == 2 ? date.year() % 100 : date.year();
        else if (c.isLetter())
            return false;
        else {
            for (qsizetype k = 0; k < run; ++k)
                out += c;
            continue;
        }
        appendPadded(out, value, int(run));
    }
    return true;
}


bool holdsInteger(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}
} // namespace

// Asking the system for its date format costs more than formatting the date; ask once per locale.
QString shortDate(const QDate& date)
{
    static QLocale cachedLocale = QLocale::c();
    static QString format;
    const QLocale locale;
    if (format.isEmpty() || !(locale == cachedLocale)) {
        cachedLocale = locale;
        format = displayFormat(locale);
    }
    QString text;
    if (formatNumericDate(date, format, text))
        return text;
    return locale.toString(date, format);
}

Field::Field(Table& table, int index, const QString& name, FieldKind kind)
    : table_(table), index_(index), name_(name), kind_(kind)
{
}

bool Field::IsNull() const
{
    return isNullValue(Value());
}

bool Field::isNullValue(const QVariant& stored) const
{
    if (stored.isNull())
        return true;
    return kind_ != FieldKind::Integer && stored.typeId() == QMetaType::QString && stored.toString().isEmpty();
}

QString Field::AsString() const
{
    return displayText(Value());
}

QString Field::displayText(const QVariant& stored) const
{
    if (stored.isNull())
        return QString();
    if (kind_ == FieldKind::Date) {
        const QDate date = QDate::fromString(stored.toString(), Qt::ISODate);
        if (date.isValid())
            return shortDate(date);
    }
    return stored.toString();
}

QVariant storageValueOf(FieldKind kind, const QString& text)
{
    if (text.isEmpty())
        return QVariant();
    switch (kind) {
    case FieldKind::Integer:
        return QVariant(core::strToInt(text));
    case FieldKind::Date:
        return QVariant(isoDate(text));
    default:
        return QVariant(text);
    }
}

void Field::SetAsString(const QString& text)
{
    SetValue(storageValue(text));
}

qint64 Field::AsInteger() const
{
    const QVariant value = Value();
    if (value.isNull())
        return 0;
    if (holdsInteger(value))
        return value.toLongLong();
    const QString text = value.toString();
    return text.isEmpty() ? 0 : core::strToInt(text);
}

void Field::SetAsInteger(qint64 value)
{
    if (kind_ == FieldKind::Date)
        throw core::EConvertError(invalidDateMessage(QString::number(value)));
    SetValue(kind_ == FieldKind::Integer ? QVariant(value) : QVariant(QString::number(value)));
}

QVariant Field::Value() const
{
    return table_.bufferValue(index_);
}

void Field::SetValue(const QVariant& value)
{
    table_.setBufferValue(index_, value);
}

} // namespace engine
