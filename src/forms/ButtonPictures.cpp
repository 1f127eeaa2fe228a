#include "ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace forms {

namespace {
// A transparent square of that size; draw paints on it in a 16-unit design grid.
QIcon drawnIcon(int size, const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}
} // namespace

QIcon folderIcon(int size)
{
    return drawnIcon(size, [](QPainter& painter) {
        painter.setPen(QPen(QColor(128, 96, 0), 1));
        painter.setBrush(QColor(240, 200, 80));
        painter.drawRect(QRectF(1.5, 4.5, 12, 9));
        painter.drawRect(QRectF(1.5, 3.0, 5, 1.5));
        QPainterPath flap;
        flap.moveTo(3.5, 7.5);
        flap.lineTo(15.5, 7.5);
        flap.lineTo(13.5, 13.5);
        flap.lineTo(1.5, 13.5);
        flap.closeSubpath();
        painter.setBrush(QColor(255, 225, 120));
        painter.drawPath(flap);
    });
}

QIcon lentIcon(int size)
{
    return drawnIcon(size, [](QPainter& painter) {
        painter.setPen(QPen(QColor(0, 0, 96), 1));
        painter.setBrush(QColor(60, 60, 70));
        painter.drawRect(QRectF(1.5, 3.5, 8, 10));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(3.0, 6.0, 2.5, 2.5));
        painter.drawEllipse(QRectF(5.5, 6.0, 2.5, 2.5));
        QPainterPath arrow;
        arrow.moveTo(9.5, 7.0);
        arrow.lineTo(12.0, 7.0);
        arrow.lineTo(12.0, 4.5);
        arrow.lineTo(15.5, 8.5);
        arrow.lineTo(12.0, 12.5);
        arrow.lineTo(12.0, 10.0);
        arrow.lineTo(9.5, 10.0);
        arrow.closeSubpath();
        painter.setPen(QPen(QColor(0, 90, 0), 1));
        painter.setBrush(QColor(40, 170, 40));
        painter.drawPath(arrow);
    });
}

} // namespace forms
