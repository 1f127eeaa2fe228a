#pragma once
// Value formats of the export, by field kind, and the number patterns they use.
#include <QString>

namespace output {

/// Formats by field kind; the defaults take the system's short date and time formats.
struct TQExportFormats {
    TQExportFormats();
    QString IntegerFormat = QStringLiteral("#,###,##0");
    QString FloatFormat = QStringLiteral("#,###,##0.00");
    QString DateFormat;
    QString TimeFormat;
    QString DateTimeFormat;
    QString CurrencyFormat;
    QString BooleanTrue = QStringLiteral("true");
    QString BooleanFalse = QStringLiteral("false");
    QString NullString;
};

/// Formats a number with a pattern: '#' optional digit, '0' required digit, ',' grouping by
/// thousands (the system's separator), '.' the decimal point (the system's); text around
/// the digits (a currency symbol) is kept.
QString formatNumber(double value, const QString& pattern);

} // namespace output
