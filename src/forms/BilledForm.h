#pragma once
// The enlarged picture window: one picture at natural size in a scrollable frame that fills
// the window. Made, shown modally and freed by the registration window for each picture click.
#include <QDialog>

class QScrollArea;

namespace locale {
class TQFormLocalizer;
}
namespace support {
class TImage;
}

namespace forms {

class TBilledForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDesignOuterWidth = 1024;
    static constexpr int kDesignOuterHeight = 768;

    explicit TBilledForm(QWidget* parent = nullptr);

    /// The properties the window's localizer translates.
    static QStringList propNames();

    locale::TQFormLocalizer* QFormLocalizer1;
    QScrollArea* ScrollBox1;
    support::TImage* Image1;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    /// 1024 x 768, or less on a smaller screen.
    QSize designOuterSize() const;
};

} // namespace forms
