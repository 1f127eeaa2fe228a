#pragma once
// The About window, made for one About component: the application's name, version, copyright
// line, web address, legal notice and picture. It grows to the right and downwards for a
// picture larger than its design picture; the controls right of and below the picture follow.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace support {

class TAboutBox;
class TImage;

class TAboutWnd : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 297;
    static constexpr int kDesignHeight = 321;

    TAboutWnd(const TAboutBox& box, QWidget* parent = nullptr);

    QFrame* bvlOuter;
    TImage* imgApp;
    QLabel* lblAppName;
    QLabel* lblVersionInfo;
    QLabel* lblVersion;
    QLabel* lblCopyright;
    QLabel* lblUrl;
    QFrame* bvlSep;
    QLabel* lblWarning;
    QPushButton* btnSysInfo;
    QPushButton* btnOk;

    void FormCreate();
    void btnSysInfoClick();
    void lblUrlClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createPicture();
    void createLabels();
    void createBottom();
    void fillTexts(const TAboutBox& box);
    void fitPicture(const QImage& picture);
    void growBy(int width, int height);
    void centreOnScreen();

    QString versionText_;
};

} // namespace support
