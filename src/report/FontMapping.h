#pragma once
// The report's design fonts on installed families with the same metrics, so texts keep their
// designed widths.
#include <QFont>
#include <QString>

namespace report {

struct ReportFont;

/// "Arial" and "MS Sans Serif" -> "Liberation Sans", "Times New Roman" -> "Liberation Serif",
/// "Courier New" -> "Liberation Mono"; any other name as it is.
QString installedFamily(const QString& designFamily);

/// A QFont for the report font at its point size (resolved later for the device it draws on).
QFont qtFont(const ReportFont& font);

} // namespace report
