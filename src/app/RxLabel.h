#pragma once
// A transparent label drawn with a grey shadow offset down and right.
#include <QWidget>

namespace app {

class TRxLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
public:
    explicit TRxLabel(QWidget* parent = nullptr);
    QString caption() const { return caption_; }
    void setCaption(const QString& text);
    void setShadow(const QColor& color, int size);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor shadowColor_ = Qt::gray;
    int shadowSize_ = 2;
};

} // namespace app
