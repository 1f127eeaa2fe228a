#pragma once
// Clock times of the duration rule: the platform's time parser and the long time text.
#include <QString>

namespace data {

/// Reads "h[:mm[:ss]][ AM|PM]" (blanks around allowed) as a fraction of a day. Hours below
/// 24 (1..12 with AM/PM), minutes and seconds below 60. Four digits without a separator
/// ("0130") read as 130 hours and are refused. Throws EConvertError "'%s' is not a valid time".
double parseTime(const QString& text);

/// The long time text of a day fraction: the time of day of its absolute value as
/// hh:mm:ss ("01:15:00").
QString longTimeText(double dayFraction);

/// Varighed for a start and an end text: end - start as long time text.
QString durationText(const QString& start, const QString& end);

/// Turns an entry of exactly four digits ("0130") into "01:30"; any other text is returned
/// unchanged. The hints of the start and end edits ask for this form.
QString normalizeTimeEntry(const QString& text);

} // namespace data
