#include "ExportFormats.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace output {

namespace {
QString currencyPattern()
{
    const QLocale locale;
    const QString probe = locale.toCurrencyString(1.0);
    const QString symbol = locale.currencySymbol();
    const QString number = QStringLiteral("#,###,##0.00");
    const qsizetype at = probe.indexOf(symbol);
    if (at < 0)
        return number;
    const bool before = at == 0;
    const bool blank = before ? probe.mid(symbol.size()).startsWith(QChar::Nbsp) || probe.mid(symbol.size()).startsWith(QLatin1Char(' '))
                              : probe.at(at - 1).isSpace();
    const QString gap = blank ? QStringLiteral(" ") : QString();
    return before ? symbol + gap + number : number + gap + symbol;
}
} // namespace

TQExportFormats::TQExportFormats()
{
    const QLocale locale;
    DateFormat = locale.dateFormat(QLocale::ShortFormat);
    TimeFormat = locale.timeFormat(QLocale::ShortFormat);
    DateTimeFormat = DateFormat + QLatin1Char(' ') + TimeFormat;
    CurrencyFormat = currencyPattern();
}

QString formatNumber(double value, const QString& pattern)
{
    static const QRegularExpression digitPlace(QStringLiteral("[#0]"));
    const qsizetype first = pattern.indexOf(digitPlace);
    if (first < 0)
        return pattern;
    qsizetype last = first;
    while (last + 1 < pattern.size() && QStringLiteral("#0,.").contains(pattern.at(last + 1)))
        ++last;
    const QString numberPattern = pattern.mid(first, last - first + 1);
    const qsizetype point = numberPattern.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(numberPattern.size() - point - 1);
    const QString integerPart = point < 0 ? numberPattern : numberPattern.left(point);
    const int minDigits = int(integerPart.count(QLatin1Char('0')));
    const QLocale locale;
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString digits = plain.toString(std::fabs(value), 'f', decimals);
    const QString decimalPoint = locale.decimalPoint();
    qsizetype integerEnd = decimals > 0 ? digits.indexOf(decimalPoint) : digits.size();
    QString whole = digits.left(integerEnd);
    while (whole.size() < minDigits)
        whole.prepend(QLatin1Char('0'));
    if (whole == QLatin1String("0") && minDigits == 0)
        whole.clear();
    if (integerPart.contains(QLatin1Char(',')))
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, locale.groupSeparator());
    QString number = whole + digits.mid(integerEnd);
    if (value < 0 && std::fabs(value) > 0)
        number.prepend(locale.negativeSign());
    return pattern.left(first) + number + pattern.mid(last + 1);
}

} // namespace output
