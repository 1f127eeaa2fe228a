#pragma once
// A laid-out report: which bands go where on which page, with the texts of their items.
// Self-contained (holds a copy of the bands), so it outlives the report that made it.
#include "PageSetup.h"
#include "ReportBand.h"

#include <QStringList>
#include <vector>

namespace report {

struct PlacedBand {
    int band = 0;       ///< index into ReportDocument::bands
    double topMm = 0.0; ///< from the top margin
    double leftMm = 0.0; ///< from the left margin (a detail band in a later column)
    QStringList texts;  ///< one per item of the band
    /// One per item: a shorter form of the text printed when the text does not fit its box
    /// whole (empty: none).
    QStringList shortTexts;
};

struct ReportPage {
    std::vector<PlacedBand> bands;
};

struct ReportDocument {
    PageSetup page;
    std::vector<ReportBand> bands;
    std::vector<ReportPage> pages;

    int pageCount() const { return int(pages.size()); }
    bool isEmpty() const { return pages.empty(); }
};

} // namespace report
