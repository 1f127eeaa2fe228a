#pragma once
// Lays the bands of a report out on pages: the title once, the column header on top of every
// page, one detail band per record while it fits above the page footer, and the page footer at
// the bottom of every page.
#include "ReportDocument.h"

namespace report {

class ReportDataProvider;

class ReportPaginator {
public:
    ReportPaginator(const PageSetup& page, const std::vector<ReportBand>& bands, const QString& title);

    /// Reads every record of data from the first to the end and returns the pages; no page at
    /// all when data holds no record or is nullptr.
    ReportDocument run(ReportDataProvider* data);

private:
    void startPage();
    void finishPage();
    void placeDetails();
    void place(int band, double topMm);
    bool fits(double heightMm) const;
    double heightOf(BandKind kind) const;
    std::vector<int> bandsOf(BandKind kind) const;
    QString textOf(const ReportItem& item) const;

    ReportDocument doc_;
    QString title_;
    ReportDataProvider* data_ = nullptr;
    double y_ = 0.0;      // next free position below the top margin
    int detailCount_ = 0; // detail records placed so far, never reset
    int detailsOnPage_ = 0;
};

} // namespace report
