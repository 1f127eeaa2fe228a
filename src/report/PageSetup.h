#pragma once
// Paper and margins of a report, in millimetres.
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>

namespace report {

struct PageSetup {
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginLeft = 10.0;
    double marginTop = 10.0;
    double marginRight = 10.0;
    double marginBottom = 10.0;
    /// Detail bands side by side in this many columns (labels on a sheet); 1 for a list.
    int columns = 1;
    /// The gap between two columns.
    double columnSpaceMm = 0.0;

    /// Paper size in mm as it lies in the chosen orientation.
    QSizeF paperSizeMm() const;
    /// Width of the bands: paper width less the left and right margins.
    double bandWidthMm() const;
    /// Width of one column of detail bands (the band width with one column).
    double columnWidthMm() const;
    /// Height between the top and bottom margins.
    double bodyHeightMm() const;
    /// The paper as a Qt page layout without margins (the report draws its own margins).
    QPageLayout pageLayout() const;
};

} // namespace report
