#pragma once
// The sheets of self-adhesive labels the labels are printed on: A4 sheets of 3 x 8 and 2 x 7
// labels and a sheet of VHS spine labels, one per row.
#include "report/PageSetup.h"

#include <QString>
#include <vector>

namespace output {

struct LabelSheet {
    const char* name;    ///< on the command line: "3x8", "2x7", "vhs"
    const char* caption; ///< Danish, as the labels window lists it
    int columns;
    int rows;
    double labelWidthMm;
    double labelHeightMm;
    double marginLeftMm; ///< paper edge to the first column
    double marginTopMm;  ///< paper edge to the first row
    double columnSpaceMm;

    /// Labels on one sheet.
    int perSheet() const { return columns * rows; }
    /// A4 portrait with the sheet's margins and columns; every row a label high.
    report::PageSetup pageSetup() const;
};

/// Every sheet, the default first.
const std::vector<LabelSheet>& labelSheets();
/// The sheet of that command-line name (compared without regard to case); nullptr for none.
const LabelSheet* labelSheetNamed(const QString& name);
/// The command-line names, comma-separated, for a usage message.
QString labelSheetNames();

} // namespace output
