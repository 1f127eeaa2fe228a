#include "PageSetup.h"

namespace report {

QSizeF PageSetup::paperSizeMm() const
{
    const QSizeF portrait = QPageSize(paper).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
}

double PageSetup::bandWidthMm() const
{
    return paperSizeMm().width() - marginLeft - marginRight;
}

double PageSetup::columnWidthMm() const
{
    const int count = columns > 1 ? columns : 1;
    return (bandWidthMm() - (count - 1) * columnSpaceMm) / count;
}

double PageSetup::bodyHeightMm() const
{
    return paperSizeMm().height() - marginTop - marginBottom;
}

QPageLayout PageSetup::pageLayout() const
{
    return QPageLayout(QPageSize(paper), orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace report
