#include "Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace dbctrls {

namespace {
// Drawing happens on a 16 x 16 grid scaled to the requested size.
void triangle(QPainter& p, QPointF a, QPointF b, QPointF c)
{
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({a, b, c}));
}

void bar(QPainter& p, qreal x)
{
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(x, 4, 2, 8));
}

void stroke(QPainter& p, const QPainterPath& path, qreal width, const QColor& color)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void drawArrows(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::First:
        bar(p, 3);
        triangle(p, {6, 8}, {12, 3}, {12, 13});
        break;
    case Glyph::Prior:
        triangle(p, {4, 8}, {11, 3}, {11, 13});
        break;
    case Glyph::Next:
        triangle(p, {12, 8}, {5, 3}, {5, 13});
        break;
    case Glyph::Last:
        triangle(p, {10, 8}, {4, 3}, {4, 13});
        bar(p, 11);
        break;
    case Glyph::Edit:
        triangle(p, {8, 4}, {3, 11}, {13, 11});
        break;
    case Glyph::Current:
        triangle(p, {11, 8}, {6, 4}, {6, 12});
        break;
    case Glyph::DropDown:
        triangle(p, {3, 6}, {13, 6}, {8, 11});
        break;
    default:
        break;
    }
}

void drawMarks(QPainter& p, Glyph glyph)
{
    QPainterPath path;
    qreal width = 2.2;
    QColor color(Qt::black);
    switch (glyph) {
    case Glyph::Insert:
        path.moveTo(8, 3); path.lineTo(8, 13); path.moveTo(3, 8); path.lineTo(13, 8);
        break;
    case Glyph::Delete:
        path.moveTo(3, 8); path.lineTo(13, 8);
        break;
    case Glyph::Post:
        path.moveTo(3, 8.5); path.lineTo(6.5, 12); path.lineTo(13, 4);
        color = QColor(0, 128, 0);
        break;
    case Glyph::Cancel:
        path.moveTo(4, 4); path.lineTo(12, 12); path.moveTo(12, 4); path.lineTo(4, 12);
        color = QColor(160, 0, 0);
        break;
    case Glyph::Editing:
        width = 1.2;
        path.moveTo(6, 3); path.lineTo(10, 3); path.moveTo(8, 3); path.lineTo(8, 13);
        path.moveTo(6, 13); path.lineTo(10, 13);
        break;
    case Glyph::Inserting:
        width = 1.4;
        path.moveTo(8, 3); path.lineTo(8, 13); path.moveTo(4, 5.5); path.lineTo(12, 10.5);
        path.moveTo(12, 5.5); path.lineTo(4, 10.5);
        break;
    default:
        return;
    }
    stroke(p, path, width, color);
}
} // namespace

QIcon glyphIcon(Glyph glyph, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    painter.setBrush(Qt::black);
    drawArrows(painter, glyph);
    drawMarks(painter, glyph);
    painter.end();
    return QIcon(pixmap);
}

} // namespace dbctrls
