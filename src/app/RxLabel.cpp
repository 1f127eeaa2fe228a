#include "RxLabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace app {

TRxLabel::TRxLabel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void TRxLabel::setCaption(const QString& text)
{
    caption_ = text;
    update();
}

void TRxLabel::setShadow(const QColor& color, int size)
{
    shadowColor_ = color;
    shadowSize_ = size;
    update();
}

void TRxLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -shadowSize_, -shadowSize_);
    // The installed font may run a little wider than the design's: shrink rather than clip.
    QFont drawn = font();
    const int needed = QFontMetrics(drawn).horizontalAdvance(caption_);
    if (needed > box.width() && needed > 0)
        drawn.setPointSizeF(drawn.pointSizeF() * box.width() / needed);
    painter.setFont(drawn);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    painter.setPen(shadowColor_);
    painter.drawText(box.translated(shadowSize_, shadowSize_), flags, caption_);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(box, flags, caption_);
}

} // namespace app
