#include "Tolvane.h"
#include "support/WindowSize.h"

#include "core/Guard.h"
#include "support/FormShaper.h"
#include "support/Image.h"
#include "support/JpegLoader.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

namespace app {

TTolvane* Tolvane = nullptr;

TTolvane::TTolvane(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Tolvane"));
    setWindowTitle(QStringLiteral("Tolvane"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kClientWidth, kClientHeight);

    Image1 = new support::TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAutoSize(true);
    Image1->move(0, 0);
    Image1->setPicture(support::loadJpegFile(QStringLiteral(":/pictures/splash.jpg")).value_or(QImage()));
    Image1->setToolTip(QStringLiteral("Højreklik for at lukke"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Luk1 = PopupMenu1->addAction(QStringLiteral("Luk"));
    Luk1->setObjectName(QStringLiteral("Luk1"));
    connect(Luk1, &QAction::triggered, this, [this] { core::guarded([this] { Luk1Click(); }); });

    FormShaper1 = new support::TFormShaper(this);
    FormShaper1->setObjectName(QStringLiteral("FormShaper1"));
    loadShape();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] { core::guarded([this] { close(); }); });
    Timer1->start(kLifetimeMs);

    centreOnScreen();
    FormCreate();
}

TTolvane::~TTolvane()
{
    if (Tolvane == this)
        Tolvane = nullptr;
}

void TTolvane::loadShape()
{
    // The outline was made from the picture by spolarkiv-makeshape; without it the splash
    // simply shows its whole rectangle.
    QFile shape(QStringLiteral(":/pictures/splash.shape"));
    if (shape.open(QIODevice::ReadOnly))
        (void)FormShaper1->readShape(shape);
}

void TTolvane::centreOnScreen()
{
    support::centreOnScreen(this);
}

void TTolvane::FormCreate()
{
    FormShaper1->setActive(true);
}

void TTolvane::FormDeactivate()
{
    close();
}

void TTolvane::Luk1Click()
{
    close();
}

void TTolvane::dismissWhenActivated(QWidget* mainWindow)
{
    if (mainWindow)
        mainWindow->installEventFilter(this);
}

void TTolvane::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Only another window of ours taking the activation counts, not another program's.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && QApplication::activeWindow()
        && QApplication::activeWindow() != this)
        core::guarded([this] { FormDeactivate(); });
}

void TTolvane::contextMenuEvent(QContextMenuEvent* event)
{
    core::guarded([this, event] { PopupMenu1->popup(event->globalPos()); });
}

bool TTolvane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
        watched->removeEventFilter(this);
        core::guarded([this] { close(); });
    }
    return QWidget::eventFilter(watched, event);
}

TTolvane* showSplash()
{
    if (!Tolvane)
        Tolvane = new TTolvane;
    Tolvane->show();
    Tolvane->repaint();
    QApplication::processEvents();
    return Tolvane;
}

void dismissSplashWhenActivated(QWidget* mainWindow)
{
    if (Tolvane)
        Tolvane->dismissWhenActivated(mainWindow);
}

void closeSplash()
{
    delete Tolvane;
}

} // namespace app

// The splash's meta-object is compiled here rather than with the other windows' ones, so the
// splash links (and is tested) without the rest of the application.
#include "moc_Tolvane.cpp"
