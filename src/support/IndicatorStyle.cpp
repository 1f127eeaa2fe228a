#include "IndicatorStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QProxyStyle>
#include <QRadioButton>
#include <QStyleFactory>

namespace support {

namespace {

// The design font's size: at it the indicators keep the style's size.
constexpr qreal kDesignPointSize = 8.0;

class FontScaledIndicators : public QProxyStyle {
public:
    FontScaledIndicators() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
            return widget ? qRound(base * scale(widget->font())) : base;
        default:
            return base;
        }
    }

private:
    static qreal scale(const QFont& font)
    {
        const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
        return qMax<qreal>(1.0, points / kDesignPointSize);
    }
};

QStyle* sharedStyle()
{
    // One for the run, made on first use after the application's style is set; the
    // application deletes it with itself.
    static QPointer<QStyle> style;
    if (!style) {
        style = new FontScaledIndicators;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

void scaleIndicatorsWithFont(QWidget* window)
{
    QStyle* style = sharedStyle();
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button))
            button->setStyle(style);
}

} // namespace support
