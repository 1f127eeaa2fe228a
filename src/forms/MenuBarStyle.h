#pragma once
// The look of a small window's menu bar: items side by side with no gap between them, as the
// platform's own menu bars have, so the lookup windows' two commands fit their narrow
// windows in every language. Everything else is the application's style.
#include <QProxyStyle>

namespace forms {

class TMenuBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    TMenuBarStyle();
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace forms
