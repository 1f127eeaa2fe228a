#include "MenuBarStyle.h"

namespace forms {

TMenuBarStyle::TMenuBarStyle() : QProxyStyle() {}

int TMenuBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuBarItemSpacing:
        return 0;
    case PM_MenuBarHMargin:
        return 1;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

} // namespace forms
