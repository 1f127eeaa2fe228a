#include "RxLabel.h"

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
    painter.setFont(font());
    const QRect box = rect().adjusted(0, 0, -shadowSize_, -shadowSize_);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    painter.setPen(shadowColor_);
    painter.drawText(box.translated(shadowSize_, shadowSize_), flags, caption_);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(box, flags, caption_);
}

} // namespace app
