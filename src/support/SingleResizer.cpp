#include "SingleResizer.h"

#include "Alignment.h"
#include "Image.h"
#include "core/Errors.h"

#include <QFrame>
#include <QLabel>
#include <QVariant>
#include <cmath>

namespace support {

namespace {

int pointSizeOf(const QFont& font)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    return font.pixelSize() > 0 ? pointsForPixels(font.pixelSize()) : 0;
}

bool flagged(const QWidget* control, const char* property)
{
    return control->property(property).toBool();
}

// Qt labels have no "size to text" switch to remember and put back: fitting the label to its
// text after setting its bounds is what switching it on does. A word-wrapping label keeps its
// width and takes the height of its text; a right-aligned one keeps its right edge.
void fitToText(QWidget* control)
{
    if (control->hasHeightForWidth()) {
        control->resize(control->width(), control->heightForWidth(control->width()));
        return;
    }
    const QSize fitted = control->sizeHint();
    if (!fitted.isValid())
        return;
    int left = control->x();
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label && (label->alignment() & Qt::AlignRight))
        left += control->width() - fitted.width();
    control->setGeometry(left, control->y(), fitted.width(), fitted.height());
}

} // namespace

int roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5)
        return int(lower) + 1;
    if (fraction < 0.5)
        return int(lower);
    return std::fmod(lower, 2.0) == 0.0 ? int(lower) : int(lower) + 1;
}

bool isTextLabel(const QWidget* control)
{
    return qobject_cast<const QLabel*>(control) || flagged(control, "spkTextLabel");
}

bool hasOwnFont(const QWidget* control)
{
    if (qobject_cast<const TImage*>(control) || flagged(control, "spkNoFont"))
        return false;
    return control->metaObject() != &QFrame::staticMetaObject;
}

TSingleResizer::TSingleResizer(QWidget* control_, QWidget* owner_, bool resizeFonts_, int minFontSize_,
                               int maxFontSize_)
{
    if (!control_)
        throw core::EResizerException(QStringLiteral("TSingleResizer created without a component link"));
    if (!owner_)
        throw core::EResizerException(QStringLiteral("TSingleResizer created without a parent form link"));
    control = control_;
    owner = owner_;
    scaleWidth = !isTextLabel(control_);
    resizeFonts = resizeFonts_;
    minFontSize = minFontSize_;
    maxFontSize = maxFontSize_;
    hasFont = hasOwnFont(control_);
    if (hasFont) {
        font = control_->font();
        recordedFontSize = pointSizeOf(font);
    }
    const QRect bounds = control_->geometry();
    recordedHeight = bounds.height();
    recordedLeft = bounds.x();
    recordedTop = bounds.y();
    recordedWidth = bounds.width();
    ownerHeight = owner_->height();
    ownerWidth = owner_->width();
}

void TSingleResizer::scale(QSize ownerNow, double heightRatio, double widthRatio) const
{
    if (!control || alignOf(control) == Align::Client)
        return;
    if (ownerNow == QSize(ownerWidth, ownerHeight)) {
        restore();
        return;
    }
    const QRect current = control->geometry();
    const int height = scaleHeight ? roundHalfEven(recordedHeight * heightRatio) : current.height();
    const int width = scaleWidth ? roundHalfEven(recordedWidth * widthRatio) : current.width();
    const int left = scaleLeft ? roundHalfEven(recordedLeft * widthRatio) : current.x();
    const int top = scaleTop ? roundHalfEven(recordedTop * heightRatio) : current.y();
    if (hasFont && resizeFonts)
        applyFontSize(scaledFontSize(heightRatio));
    const QRect bounds(left, top, width, height);
    if (isTextLabel(control))
        placeLabel(bounds);
    else
        control->setGeometry(bounds);
}

void TSingleResizer::restore() const
{
    // A label's width is never scaled, but fitting it to a scaled font changed it; at the
    // recorded size the whole design comes back, so nothing drifts from one resize to the next.
    const QRect current = control->geometry();
    control->setGeometry(scaleLeft ? recordedLeft : current.x(), scaleTop ? recordedTop : current.y(),
                         scaleWidth || isTextLabel(control) ? recordedWidth : current.width(),
                         scaleHeight ? recordedHeight : current.height());
    if (hasFont && resizeFonts)
        applyFontSize(recordedFontSize);
}

int TSingleResizer::scaledFontSize(double heightRatio) const
{
    int size = roundHalfEven(recordedFontSize * heightRatio);
    if (size > maxFontSize)
        size = maxFontSize;
    // The minimum wins when the two bounds cross.
    if (size < minFontSize)
        size = minFontSize;
    return size;
}

void TSingleResizer::applyFontSize(int points) const
{
    if (points <= 0)
        return;
    QFont scaled = control->font();
    scaled.setPointSize(points);
    control->setFont(scaled);
}

void TSingleResizer::placeLabel(const QRect& bounds) const
{
    control->setGeometry(bounds);
    fitToText(control);
    control->update();
}

} // namespace support
