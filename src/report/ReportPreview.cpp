#include "ReportPreview.h"
#include "DefaultPrinter.h"
#include "PrintProgressDialog.h"
#include "ReportPrinting.h"
#include "ReportTexts.h"

#include "core/Guard.h"

#include <QEvent>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace report {

namespace {
constexpr qreal zoomStep = 1.25;
}

ReportPreview::ReportPreview(std::unique_ptr<PageSource> pages, int pageCount, QWidget* parent, int progressDelayMs)
    : QDialog(parent), pages_(std::move(pages)), pageCount_(pageCount), progressDelayMs_(progressDelayMs),
      printer_(QPrinter::HighResolution)
{
    setWindowTitle(reportText("Preview", QStringLiteral("Vis udskrift")));
    preparePrinter(printer_, pages_->page());
    view_ = new QPrintPreviewWidget(&printer_, this);
    view_->setViewMode(QPrintPreviewWidget::SinglePageView);
    view_->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(view_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        core::guarded([&] { paintPreview(*printer); });
    });
    connect(view_, &QPrintPreviewWidget::previewChanged, this, [this] { core::guarded([this] { updatePageLabel(); }); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createToolBar());
    layout->addWidget(view_, 1);
    if (auto* scrolled = view_->findChild<QGraphicsView*>()) {
        scrolled->setAccessibleName(windowTitle()); // the pages take the focus
        connect(scrolled->verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this] { core::guarded([this] { updatePageLabel(); }); });
        for (QObject* watched : {static_cast<QObject*>(scrolled->viewport()), static_cast<QObject*>(scrolled->verticalScrollBar()),
                                 static_cast<QObject*>(scrolled->horizontalScrollBar()), static_cast<QObject*>(scrolled)})
            watched->installEventFilter(this);
    }
    printAction_->setEnabled(openDefaultPrinter() != nullptr);
    resize(1000, 750);
    view_->updatePreview();
}

QToolBar* ReportPreview::createToolBar()
{
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addAction(bar, reportText("FirstPage", QStringLiteral("Første side")), QKeySequence(Qt::CTRL | Qt::Key_Home), &ReportPreview::firstPage);
    addAction(bar, reportText("PreviousPage", QStringLiteral("Forrige side")), QKeySequence(Qt::Key_PageUp), &ReportPreview::previousPage);
    pageLabel_ = new QLabel(bar);
    pageLabel_->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(pageLabel_);
    addAction(bar, reportText("NextPage", QStringLiteral("Næste side")), QKeySequence(Qt::Key_PageDown), &ReportPreview::nextPage);
    addAction(bar, reportText("LastPage", QStringLiteral("Sidste side")), QKeySequence(Qt::CTRL | Qt::Key_End), &ReportPreview::lastPage);
    bar->addSeparator();
    addAction(bar, reportText("ZoomIn", QStringLiteral("Zoom ind")), QKeySequence::ZoomIn, &ReportPreview::zoomIn);
    addAction(bar, reportText("ZoomOut", QStringLiteral("Zoom ud")), QKeySequence::ZoomOut, &ReportPreview::zoomOut);
    addAction(bar, reportText("WholePage", QStringLiteral("Hel side")), QKeySequence(), &ReportPreview::fitPage);
    addAction(bar, reportText("PageWidth", QStringLiteral("Sidebredde")), QKeySequence(), &ReportPreview::fitWidth);
    bar->addSeparator();
    printAction_ = addAction(bar, reportText("Print", QStringLiteral("Udskriv")), QKeySequence::Print, &ReportPreview::printPages);
    connect(bar->addAction(reportText("Close", QStringLiteral("Luk"))), &QAction::triggered, this, &QDialog::reject);
    // A tool bar's buttons take no focus, which left Tab going round the pages alone.
    for (QAction* action : bar->actions())
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
            button->setFocusPolicy(Qt::TabFocus);
    return bar;
}

QAction* ReportPreview::addAction(QToolBar* bar, const QString& text, const QKeySequence& key,
                                  void (ReportPreview::*slot)())
{
    QAction* action = bar->addAction(text);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, [this, slot] { core::guarded([this, slot] { (this->*slot)(); }); });
    return action;
}

int ReportPreview::pageCount() const
{
    return view_->pageCount();
}

int ReportPreview::currentPage() const
{
    return view_->currentPage();
}

QString ReportPreview::pageText() const
{
    return reportText("PageOf", QStringLiteral("Side %1 af %2")).arg(currentPage()).arg(pageCount());
}

void ReportPreview::firstPage()
{
    goToPage(1);
}

void ReportPreview::previousPage()
{
    goToPage(currentPage() - 1);
}

void ReportPreview::nextPage()
{
    goToPage(currentPage() + 1);
}

void ReportPreview::lastPage()
{
    goToPage(pageCount());
}

void ReportPreview::goToPage(int page)
{
    keepTop_ = true;
    view_->setCurrentPage(qBound(1, page, qMax(1, pageCount())));
    showPageTop();
    updatePageLabel();
}

void ReportPreview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    core::guarded([this] { showPageTop(); });
}

void ReportPreview::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    keepPageTop();
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        keepTop_ = false;
        break;
    case QEvent::Resize:
        keepPageTop();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void ReportPreview::keepPageTop()
{
    // After the view has fitted the page to its new width.
    if (keepTop_)
        QTimer::singleShot(0, this, [this] { core::guarded([this] { showPageTop(); }); });
}

void ReportPreview::showPageTop()
{
    auto* scrolled = view_->findChild<QGraphicsView*>();
    if (!scrolled || !scrolled->scene())
        return;
    // The pages are the scene's top-level items, laid out from the top down.
    QList<QGraphicsItem*> pages;
    for (QGraphicsItem* item : scrolled->scene()->items())
        if (!item->parentItem())
            pages << item;
    std::sort(pages.begin(), pages.end(), [](QGraphicsItem* a, QGraphicsItem* b) { return a->y() < b->y(); });
    const int index = currentPage() - 1;
    if (index < 0 || index >= pages.size())
        return;
    // The paper's edge a little below the top of the view, as Qt leaves it when it changes pages.
    QScrollBar* bar = scrolled->verticalScrollBar();
    bar->setValue(bar->value() + scrolled->mapFromScene(pages.at(index)->pos()).y() - 10);
}

void ReportPreview::paintPreview(QPrinter& printer)
{
    PrintProgressDialog progress(parentWidget(), pageCount_, reportText("Preparing", QStringLiteral("Forbereder")), progressDelayMs_);
    cancelled_ = !paintPages(*pages_, printer, [&progress](int page, int) { return progress.advance(page); },
                             pageCount_, false);
}

void ReportPreview::printPages()
{
    printToDefaultPrinter(*pages_, this);
}

void ReportPreview::zoomIn()
{
    view_->zoomIn(zoomStep);
}

void ReportPreview::zoomOut()
{
    view_->zoomOut(zoomStep);
}

void ReportPreview::fitPage()
{
    view_->fitInView();
}

void ReportPreview::fitWidth()
{
    view_->fitToWidth();
}

void ReportPreview::updatePageLabel()
{
    pageLabel_->setText(pageText());
}

} // namespace report
