#pragma once
// The report's preview window: the pages on screen with page navigation, zoom and printing
// on the default printer. Owns its copy of the document.
#include "ReportDocument.h"

#include <QDialog>
#include <QPrinter>

class QLabel;
class QPrintPreviewWidget;
class QToolBar;

namespace report {

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(ReportDocument doc, QWidget* parent = nullptr);

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

private:
    QToolBar* createToolBar();
    /// Scrolls so the top of the current page shows (Qt scrolls only when the page changes,
    /// and opens a page taller than the view at its middle).
    void showPageTop();
    QAction* addAction(QToolBar* bar, const QString& text, const QKeySequence& key, void (ReportPreview::*slot)());
    void zoomIn();
    void zoomOut();
    void fitPage();
    void fitWidth();
    void updatePageLabel();

    ReportDocument doc_;
    QPrinter printer_;
    QPrintPreviewWidget* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QAction* printAction_ = nullptr;
};

} // namespace report
