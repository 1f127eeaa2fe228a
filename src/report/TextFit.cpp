#include "TextFit.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QTextOption>

namespace report {

namespace {

QString singleLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return text;
}

QString trimmedEnd(QString text)
{
    while (!text.isEmpty() && (text.back().isSpace() || text.back() == QChar::LineSeparator))
        text.chop(1);
    return text;
}

} // namespace

QString fittedLine(const QString& text, const QFont& font, qreal widthPx, QPaintDevice* device)
{
    const QString flat = singleLineBreaks(text);
    if (flat.isEmpty() || widthPx <= 0)
        return QString();
    QTextLayout layout(flat, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return QString();
    }
    line.setLineWidth(widthPx);
    const QString first = trimmedEnd(flat.mid(line.textStart(), line.textLength()));
    layout.endLayout();
    // The layout always takes one character, even where it does not fit.
    if (QFontMetricsF(font, device).horizontalAdvance(first) > widthPx + 0.5)
        return QString();
    return first;
}

} // namespace report
