#include "LabelSheet.h"

#include <QStringList>

namespace output {

namespace {

constexpr double a4Width = 210.0;
constexpr double a4Height = 297.0;

} // namespace

report::PageSetup LabelSheet::pageSetup() const
{
    report::PageSetup page;
    page.paper = QPageSize::A4;
    page.orientation = QPageLayout::Portrait;
    page.columns = columns;
    page.columnSpaceMm = columnSpaceMm;
    page.marginLeft = marginLeftMm;
    page.marginTop = marginTopMm;
    page.marginRight = a4Width - marginLeftMm - columns * labelWidthMm - (columns - 1) * columnSpaceMm;
    page.marginBottom = a4Height - marginTopMm - rows * labelHeightMm;
    return page;
}

const std::vector<LabelSheet>& labelSheets()
{
    // The margins of the common stock sheets of these sizes (the labels centred on the paper).
    static const std::vector<LabelSheet> sheets = {
        {"3x8", "A4, 3 x 8 etiketter (70 x 37 mm)", 3, 8, 70.0, 37.0, 0.0, 0.5, 0.0},
        {"2x7", "A4, 2 x 7 etiketter (99,1 x 38,1 mm)", 2, 7, 99.1, 38.1, 4.65, 15.15, 2.5},
        {"vhs", "VHS-ryg, 15 etiketter (145 x 18 mm)", 1, 15, 145.0, 18.0, 32.5, 13.5, 0.0},
    };
    return sheets;
}

const LabelSheet* labelSheetNamed(const QString& name)
{
    for (const LabelSheet& sheet : labelSheets())
        if (name.compare(QLatin1String(sheet.name), Qt::CaseInsensitive) == 0)
            return &sheet;
    return nullptr;
}

QString labelSheetNames()
{
    QStringList names;
    for (const LabelSheet& sheet : labelSheets())
        names << QLatin1String(sheet.name);
    return names.join(QStringLiteral(", "));
}

} // namespace output
