#include "Field.h"

#include "Table.h"
#include "core/Errors.h"

#include <QDate>
#include <QLocale>

namespace engine {

namespace {
QString invalidDateMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid date").arg(text);
}

// Dates are typed in the system's short format; the stored ISO form is accepted too.
QString isoDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    QDate date = QLocale().toDate(trimmed, QLocale::ShortFormat);
    if (!date.isValid())
        date = QDate::fromString(trimmed, Qt::ISODate);
    if (!date.isValid())
        throw core::EConvertError(invalidDateMessage(text));
    return date.toString(Qt::ISODate);
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

Field::Field(Table& table, int index, const QString& name, FieldKind kind)
    : table_(table), index_(index), name_(name), kind_(kind)
{
}

bool Field::IsNull() const
{
    const QVariant value = Value();
    if (value.isNull())
        return true;
    return kind_ != FieldKind::Integer && value.typeId() == QMetaType::QString && value.toString().isEmpty();
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
            return QLocale().toString(date, QLocale::ShortFormat);
    }
    return stored.toString();
}

QVariant Field::storageValue(const QString& text) const
{
    if (text.isEmpty())
        return QVariant();
    switch (kind_) {
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
