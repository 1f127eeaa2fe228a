#include "Errors.h"

namespace core {

QString invalidIntegerMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

QString invalidTimeMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid time").arg(text);
}

qint64 strToInt(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw EConvertError(invalidIntegerMessage(text));
    return value;
}

} // namespace core
