#pragma once
// A text box of the report holds one line. A longer text wraps inside the box and only its
// first line prints; the rest is left out, not clipped, so it does not linger in a PDF's
// text layer.
#include <QFont>
#include <QString>
#include <QTextLayout>

class QPaintDevice;
class QPainter;
class QPointF;

namespace report {

/// The part of a text that its box's one line shows, laid out once for both measuring and
/// painting (a list of a million tapes lays out some ten million cells).
class FittedLine {
public:
    /// text wrapped at word boundaries (or anywhere inside a word too long for the box) to
    /// widthPx on device; line breaks in text end the line.
    FittedLine(const QString& text, const QFont& font, qreal widthPx, QPaintDevice* device);
    FittedLine(const FittedLine&) = delete;
    FittedLine& operator=(const FittedLine&) = delete;

    /// The shown part without trailing blanks; empty when not even one character fits.
    const QString& text() const { return text_; }
    /// Its width in device pixels.
    qreal width() const { return width_; }
    /// Paints the shown part with its top left corner at topLeft, in the painter's pen.
    void draw(QPainter& painter, const QPointF& topLeft) const;

private:
    QTextLayout layout_;
    QTextLine line_;
    QString text_;
    qreal width_ = 0;
};

/// The part of text that the box's one line shows (FittedLine's text).
QString fittedLine(const QString& text, const QFont& font, qreal widthPx, QPaintDevice* device);

} // namespace report
