#pragma once
// The report's preview window: the pages on screen with page navigation, zoom and printing
// on the default printer. Owns its page source; the pages are laid out and drawn once, with a
// progress window that can cancel.
#include "PageSource.h"

#include <QDialog>
#include <QPrinter>
#include <memory>

class QLabel;
class QPrintPreviewWidget;
class QToolBar;

namespace report {

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    /// pageCount: what pages->countPages() gave. Preparing the pages shows a progress window
    /// once it has taken progressDelayMs.
    ReportPreview(std::unique_ptr<PageSource> pages, int pageCount, QWidget* parent = nullptr,
                  int progressDelayMs = 0);

    /// True when the user cancelled preparing the pages; the window then shows no page.
    bool cancelled() const { return cancelled_; }

    int pageCount() const;
    /// 1-based, as shown in the window.
    int currentPage() const;
    QPrintPreviewWidget* view() const { return view_; }
    /// "Side 2 af 3"
    QString pageText() const;

    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void goToPage(int page);
    /// Prints on the default printer (nothing happens without one).
    void printPages();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolBar* createToolBar();
    /// Scrolls so the top of the current page shows (Qt scrolls only when the page changes,
    /// and opens a page taller than the view at its middle).
    void showPageTop();
    /// Until the user scrolls, clicks or types in the view, the page's top stays in view
    /// however often the window is sized (a window manager maximises it after it is shown).
    void keepPageTop();
    QAction* addAction(QToolBar* bar, const QString& text, const QKeySequence& key, void (ReportPreview::*slot)());
    void zoomIn();
    void zoomOut();
    void fitPage();
    void fitWidth();
    void updatePageLabel();
    void paintPreview(QPrinter& printer);

    std::unique_ptr<PageSource> pages_;
    int pageCount_ = 0;
    int progressDelayMs_ = 0;
    bool cancelled_ = false;
    QPrinter printer_;
    QPrintPreviewWidget* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QAction* printAction_ = nullptr;
    bool keepTop_ = true;
};

} // namespace report
