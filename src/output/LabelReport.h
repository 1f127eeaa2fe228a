#pragma once
// Labels for the tapes of VideoTable, one per tape on a sheet of self-adhesive labels: the
// tape number as a Code 128 barcode and as text, the title on one line, and the tape's
// location when the table has the field Placering. Reads the table in its current order and
// filter (and a range of tape numbers, when set) and leaves it on its last record.
#include "output/LabelRecords.h"
#include "output/LabelSheet.h"

#include "report/Report.h"

class QWidget;

namespace output {

class TLabelReport {
public:
    /// videoTable is not owned and must outlive the report. firstPosition: the place on the
    /// first sheet of the first label, 1 to the sheet's count (left to right, top to bottom).
    TLabelReport(engine::Table& videoTable, const LabelSheet& sheet, int firstPosition = 1);

    /// Only the tapes whose numbers lie in range.
    void setRange(const TapeRange& range) { records_.setRange(range); }

    /// As the list report's: the default printer, the preview, a PDF file (no file without
    /// a tape; core::EInOutError when it cannot be written). writePdf returns the pages.
    bool printToDefaultPrinter(QWidget* parent) { return report_.print(parent); }
    void preview(QWidget* parent) { report_.preview(parent); }
    int writePdf(const QString& path) { return report_.writePdf(path); }

    const report::Report& report() const { return report_; }
    /// The laid-out pages (reads the table like printing does).
    report::ReportDocument layout() const { return report_.layout(); }

private:
    void createLabelBand(const LabelSheet& sheet, bool withLocation);

    LabelRecords records_;
    report::Report report_;
};

} // namespace output
