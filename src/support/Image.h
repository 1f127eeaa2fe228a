#pragma once
// A picture control: shows a QImage at natural size, stretched to the control, or centred;
// sizes itself to the picture when asked; reports clicks.
#include <QImage>
#include <QWidget>

namespace support {

class TImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
public:
    explicit TImage(QWidget* parent = nullptr);

    void setPicture(const QImage& image);
    const QImage& picture() const { return picture_; }
    /// Draw the picture scaled to the control.
    void setStretch(bool on);
    /// Draw the picture centred at natural size.
    void setCenter(bool on);
    /// Resize the control to the picture whenever a picture is set.
    void setAutoSize(bool on);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool autoSize_ = false;
};

/// Points for a font size given in pixels at 96 dpi, rounded as the design tool did.
int pointsForPixels(int pixels);

} // namespace support
