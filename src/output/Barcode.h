#pragma once
// Barcodes for printed labels, encoded by libzint and drawn as rectangles, so they stay sharp
// on a printer and in a PDF.
#include <QRectF>
#include <QString>

class QPainter;

namespace output {

/// Draws text as a Code 128 barcode (with its quiet zones, without text under it) stretched
/// over rectPx on the painter's device. False, and nothing drawn, when the text cannot be
/// encoded (a character outside Latin-1, or empty text).
bool drawCode128(QPainter& painter, const QRectF& rectPx, const QString& text);

} // namespace output
