#include "Image.h"

#include "core/Guard.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace support {

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::setPicture(const QImage& image)
{
    picture_ = image;
    if (autoSize_)
        resize(image.size());
    update();
}

void TImage::setStretch(bool on)
{
    stretch_ = on;
    update();
}

void TImage::setCenter(bool on)
{
    center_ = on;
    update();
}

void TImage::setAutoSize(bool on)
{
    autoSize_ = on;
    if (on && !picture_.isNull())
        resize(picture_.size());
}

void TImage::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (stretch_) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture_);
    } else if (center_) {
        painter.drawImage((width() - picture_.width()) / 2, (height() - picture_.height()) / 2, picture_);
    } else {
        painter.drawImage(0, 0, picture_);
    }
}

void TImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        core::guarded([this] { emit clicked(); });
}

int pointsForPixels(int pixels)
{
    return int(std::lround(pixels * 72.0 / 96.0));
}

} // namespace support
