#include "TextFit.h"

#include <QPainter>
#include <QTextOption>

namespace report {

namespace {

QString singleLineBreaks(QString text)
{
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
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

FittedLine::FittedLine(const QString& text, const QFont& font, qreal widthPx, QPaintDevice* device)
    : layout_(singleLineBreaks(text), font, device)
{
    if (layout_.text().isEmpty() || widthPx <= 0)
        return;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout_.setTextOption(option);
    // The glyphs that measured the line paint it: without the cache the drawing shapes it again.
    layout_.setCacheEnabled(true);
    layout_.beginLayout();
    line_ = layout_.createLine();
    if (line_.isValid())
        line_.setLineWidth(widthPx);
    layout_.endLayout();
    if (!line_.isValid())
        return;
    width_ = line_.naturalTextWidth();
    // The layout always takes one character, even where it does not fit.
    if (width_ > widthPx + 0.5) {
        line_ = QTextLine();
        width_ = 0;
        return;
    }
    text_ = trimmedEnd(layout_.text().mid(line_.textStart(), line_.textLength()));
    if (text_.isEmpty())
        line_ = QTextLine();
}

void FittedLine::draw(QPainter& painter, const QPointF& topLeft) const
{
    if (line_.isValid())
        line_.draw(&painter, topLeft);
}

QString fittedLine(const QString& text, const QFont& font, qreal widthPx, QPaintDevice* device)
{
    return FittedLine(text, font, widthPx, device).text();
}

} // namespace report
