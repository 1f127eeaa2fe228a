#pragma once
// Lays the bands of a report out on pages: the title once, the column header on top of every
// page, one detail band per record while it fits above the page footer (with several columns,
// a row of detail bands side by side from left to right), and the page footer at
// the bottom of every page. Keeps only the page being laid out, so a run's memory does not
// grow with the number of pages.
#include "PageSource.h"

namespace report {

class ReportDataProvider;

class ReportPaginator {
public:
    ReportPaginator(const PageSetup& page, const std::vector<ReportBand>& bands, const QString& title);

    /// With on, data without a record gives one page without detail lines instead of none.
    void setPrintIfEmpty(bool on) { printIfEmpty_ = on; }
    /// Reads every record of data from the first to the end and returns the pages; no page at
    /// all when data holds no record (unless set to print then) or is nullptr.
    ReportDocument run(ReportDataProvider* data);
    /// The same pages handed to sink one at a time as each is complete; stops reading when sink
    /// returns false, and returns false then.
    bool run(ReportDataProvider* data, const PageSink& sink);
    /// The number of pages run() gives, read without asking for any field's text; keepGoing is
    /// asked once per page. -1 when it said stop.
    int countPages(ReportDataProvider* data, const KeepGoing& keepGoing = {});

private:
    bool layOut(ReportDataProvider* data, const PageSink& sink);
    void startPage();
    void finishPage();
    void placeDetails();
    void place(int band, double topMm, double leftMm = 0.0);
    bool fits(double heightMm) const;
    double heightOf(BandKind kind) const;
    const std::vector<int>& bandsOf(BandKind kind) const;
    QString textOf(const ReportItem& item) const;

    PageSetup pageSetup_;
    std::vector<ReportBand> bands_;
    std::vector<int> bandsByKind_[4];
    QString title_;
    ReportDataProvider* data_ = nullptr;
    PageSink sink_;
    bool printIfEmpty_ = false;
    bool countOnly_ = false; // no texts: only where the pages break
    bool stopped_ = false;
    ReportPage current_;
    int pageIndex_ = -1;
    double y_ = 0.0;      // next free position below the top margin
    int detailCount_ = 0; // detail records placed so far, never reset
    int detailsOnPage_ = 0;
    int column_ = 0;      // column of the next detail band (PageSetup::columns)
    double rowTop_ = 0.0; // top of the row of detail bands being filled
};

} // namespace report
