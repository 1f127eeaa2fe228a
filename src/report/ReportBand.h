#pragma once
// A band: a strip across the page, as wide as the space between the margins.
#include "ReportItem.h"

#include <vector>

namespace report {

enum class BandKind {
    Title,        ///< once, at the top of the first page
    ColumnHeader, ///< at the top of every page, below the title on the first
    Detail,       ///< once per record, in the data provider's order
    PageFooter    ///< at the bottom of every page, the last one included
};

struct ReportBand {
    BandKind kind = BandKind::Detail;
    double heightMm = 0.0;
    BoxStyle box;
    std::vector<ReportItem> items;

    /// Appends an item and returns it for further settings.
    ReportItem& add(const ReportItem& item)
    {
        items.push_back(item);
        return items.back();
    }
};

} // namespace report
