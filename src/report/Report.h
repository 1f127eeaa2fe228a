#pragma once
// A banded report: page setup, title, bands and the data they print. Lays itself out on pages
// and prints, previews or writes them as PDF. The data provider is not owned.
#include "PageSetup.h"
#include "ReportBand.h"
#include "PageSource.h"

#include <QString>
#include <memory>
#include <vector>

class QWidget;

namespace report {

class ReportDataProvider;
class ReportPreview;

class Report {
public:
    PageSetup& pageSetup() { return page_; }
    const PageSetup& pageSetup() const { return page_; }
    void setTitle(const QString& title) { title_ = title; }
    const QString& title() const { return title_; }

    /// Adds a band; bands of one kind print in the order they were added.
    ReportBand& addBand(BandKind kind, double heightMm);
    const std::vector<ReportBand>& bands() const { return bands_; }

    void setDataProvider(ReportDataProvider* data) { data_ = data; }
    /// With on, data without a record gives one page (title, headers, footers) instead of none.
    void setPrintIfEmpty(bool on) { printIfEmpty_ = on; }
    ReportDataProvider* dataProvider() const { return data_; }

    /// Reads the data from first to last record and lays the pages out. No page without a
    /// data provider, nor without records unless set to print then.
    ReportDocument layout() const;
    /// The pages laid out one at a time while they are taken (copies the design; the data
    /// provider must outlive it).
    LaidOutPages pages() const;

    /// Prints on the default printer with a progress window; no printer dialog. Without a
    /// printer nothing happens and the data is not read. True when every page was sent.
    bool print(QWidget* parent);
    /// A preview window over the laid-out pages, prepared with a progress window; nullptr when
    /// there is no page or the user cancelled.
    std::unique_ptr<ReportPreview> createPreview(QWidget* parent) const;
    /// How long preparing the preview may take before its progress window shows (default
    /// half a second, so a short list flashes no window).
    void setPreviewProgressDelay(int ms) { previewProgressDelay_ = ms; }
    /// Shows the preview modally and returns when it is closed; nothing without a page.
    void preview(QWidget* parent) const;
    /// Writes the pages as a PDF file; see report::writePdf. Returns the number of pages.
    int writePdf(const QString& path) const;

private:
    PageSetup page_;
    QString title_;
    std::vector<ReportBand> bands_;
    ReportDataProvider* data_ = nullptr;
    bool printIfEmpty_ = false;
    int previewProgressDelay_ = 500;
};

} // namespace report
