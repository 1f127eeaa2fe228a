#pragma once
// A text box of the report holds one line. A longer text wraps inside the box and only its
// first line prints; the rest is left out, not clipped, so it does not linger in a PDF's
// text layer.
#include <QFont>
#include <QString>

class QPaintDevice;

namespace report {

/// The part of text that the box's one line shows: the first line when text is wrapped at
/// word boundaries (or anywhere inside a word too long for the box) to widthPx on device.
/// Line breaks in text end the line. Empty when not even one character fits.
QString fittedLine(const QString& text, const QFont& font, qreal widthPx, QPaintDevice* device);

} // namespace report
