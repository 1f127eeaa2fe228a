#include "AboutWnd.h"
#include "WindowSize.h"

#include "AboutBox.h"
#include "Image.h"
#include "core/Dialogs.h"
#include "core/Guard.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace support {

namespace {

// Linux has no one system information tool; the first of these that starts serves.
const char* const kSystemInfoTools[] = {"hardinfo", "kinfocenter", "gnome-system-monitor"};

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString withName(QString design, const QString& name)
{
    return design.replace(QLatin1String("%s"), name);
}

QFont designFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(pointsForPixels(pixels));
    font.setBold(bold);
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QPoint& at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(at);
    label->adjustSize();
    return label;
}

QLabel* makeWrappingLabel(QWidget* parent, const char* name, const QRect& bounds)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(bounds);
    return label;
}

QFrame* makeBevel(QWidget* parent, const char* name, QFrame::Shape shape, const QRect& bounds)
{
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(QString::fromLatin1(name));
    bevel->setFrameShape(shape);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(bounds);
    return bevel;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(bounds);
    return button;
}

void setTextAndFit(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

} // namespace

TAboutWnd::TAboutWnd(const TAboutBox& box, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutWnd"));
    setWindowTitle(QStringLiteral("About %s \u00ae"));
    setFont(designFont(11));
    resize(kDesignWidth, kDesignHeight);
    createPicture();
    createLabels();
    createBottom();
    fillTexts(box);
    fitPicture(box.Picture());
    versionText_ = versionText(box.version());
    FormCreate();
    setFixedSize(size());
    centreOnScreen();
}

void TAboutWnd::createPicture()
{
    bvlOuter = makeBevel(this, "bvlOuter", QFrame::Box, QRect(8, 8, 50, 201));
    imgApp = new TImage(this);
    imgApp->setObjectName(QStringLiteral("imgApp"));
    imgApp->setCenter(true);
    imgApp->setGeometry(9, 9, 48, 200);
}

void TAboutWnd::createLabels()
{
    lblAppName = makeLabel(this, "lblAppName", QStringLiteral("%s \u00ae"), QPoint(64, 8));
    lblVersionInfo = makeLabel(this, "lblVersionInfo", QStringLiteral("Version:"), QPoint(64, 24));
    lblVersion = makeLabel(this, "lblVersion", QString(), QPoint(104, 24));
    lblVersion->setFont(designFont(11, true));
    lblCopyright = makeWrappingLabel(this, "lblCopyright", QRect(64, 48, 225, 25));
    lblUrl = makeLabel(this, "lblUrl", QString(), QPoint(64, 80));
    QPalette palette = lblUrl->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    lblUrl->setPalette(palette);
    lblUrl->setCursor(Qt::PointingHandCursor);
    // Reached with Tab and opened with Enter or Space too; underlined while it has the focus.
    lblUrl->setFocusPolicy(Qt::TabFocus);
    lblUrl->installEventFilter(this);
}

void TAboutWnd::createBottom()
{
    bvlSep = makeBevel(this, "bvlSep", QFrame::HLine, QRect(8, 216, 281, 9));
    lblWarning = makeWrappingLabel(this, "lblWarning", QRect(8, 224, 281, 61));
    lblWarning->setFont(designFont(9)); // Arial, 9 pixels high
    btnSysInfo = makeButton(this, "btnSysInfo", QStringLiteral("System Info..."), QRect(136, 288, 73, 23));
    btnOk = makeButton(this, "btnOk", QStringLiteral("OK"), QRect(216, 288, 73, 23));
    btnOk->setDefault(true);
    btnOk->setFocus();
    connect(btnOk, &QPushButton::clicked, this, [this] { core::guarded([this] { accept(); }); });
    connect(btnSysInfo, &QPushButton::clicked, this, [this] { core::guarded([this] { btnSysInfoClick(); }); });
}

void TAboutWnd::fillTexts(const TAboutBox& box)
{
    setWindowTitle(withName(windowTitle(), box.AppName()));
    setTextAndFit(lblAppName, withName(lblAppName->text(), box.AppName()));
    lblCopyright->setText(box.Copyright());
    lblWarning->setText(box.Warning());
    setTextAndFit(lblUrl, box.Url());
    lblUrl->setToolTip(box.Url());
}

void TAboutWnd::fitPicture(const QImage& picture)
{
    int designWidth = imgApp->width();
    int designHeight = imgApp->height();
    if (!picture.isNull()) {
        imgApp->setPicture(picture);
        imgApp->resize(picture.width(), picture.height() > designHeight ? picture.height() : imgApp->height());
    } else {
        imgApp->resize(0, 0);
        designWidth = 0;
        designHeight = 0;
        bvlOuter->hide();
    }
    growBy(imgApp->width() - designWidth, imgApp->height() - designHeight);
    bvlOuter->resize(imgApp->width() + 2, bvlOuter->height());
}

// The controls right of the picture keep their distance to the right edge; the separator and
// the notice keep theirs to the left, right and bottom edges and stretch; the buttons keep
// theirs to the right and bottom edges. The picture and its frame stay at the top left.
void TAboutWnd::growBy(int width, int height)
{
    const std::initializer_list<QWidget*> rightAnchored = {lblAppName, lblVersionInfo, lblVersion, lblCopyright, lblUrl};
    const std::initializer_list<QWidget*> stretched = {bvlSep, lblWarning};
    const std::initializer_list<QWidget*> cornerAnchored = {btnSysInfo, btnOk};
    for (QWidget* control : rightAnchored)
        control->move(control->x() + width, control->y());
    for (QWidget* control : stretched)
        control->setGeometry(control->x(), control->y() + height, control->width() + width, control->height());
    for (QWidget* control : cornerAnchored)
        control->move(control->x() + width, control->y() + height);
    resize(this->width() + width, this->height() + height);
}

void TAboutWnd::FormCreate()
{
    setTextAndFit(lblVersion, versionText_);
    lblVersionInfo->setVisible(!versionText_.isEmpty());
    // The designed 40 pixels for "Version:" are too few in our fonts: keep a blank's width.
    const int gap = lblVersionInfo->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const int left = lblVersionInfo->x() + lblVersionInfo->width() + gap;
    if (lblVersion->x() < left)
        lblVersion->move(left, lblVersion->y());
}

void TAboutWnd::centreOnScreen()
{
    support::centreOnScreen(this);
}

void TAboutWnd::btnSysInfoClick()
{
    for (const char* tool : kSystemInfoTools)
        if (core::dialogs().startProgram(QString::fromLatin1(tool)))
            return;
    core::dialogs().error(QStringLiteral("Could not execute system information!"));
}

void TAboutWnd::lblUrlClick()
{
    WaitCursor wait;
    // What the shell makes of the address is its own affair.
    core::dialogs().shellOpen(lblUrl->toolTip(), true);
}

bool TAboutWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != lblUrl)
        return QDialog::eventFilter(watched, event);
    const auto key = [event] { return static_cast<QKeyEvent*>(event)->key(); };
    if ((event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        || (event->type() == QEvent::KeyPress && (key() == Qt::Key_Return || key() == Qt::Key_Enter || key() == Qt::Key_Space))) {
        core::guarded([this] { lblUrlClick(); });
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        QFont font = lblUrl->font();
        font.setUnderline(event->type() == QEvent::FocusIn);
        lblUrl->setFont(font);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace support
