#pragma once
// The printed list of the tape collection: one line per tape of VideoTable on A4 landscape,
// with a title, a column header on every page and a footer with the running count of tapes
// and the page number. Its texts are Danish in every language.
//
// Reads the table in its current order and filter and leaves it on its last record.
#include "output/TableReportProvider.h"

#include "report/Report.h"

class QWidget;

namespace engine {
class Table;
}

class TQRListForm {
public:
    /// videoTable is not owned and must outlive the report.
    explicit TQRListForm(engine::Table& videoTable);

    /// All pages to the default printer with a progress window that can cancel; no printer
    /// dialog. Does nothing (and leaves the table alone) when there is no printer. True when
    /// every page was sent. A printer set to write a PDF file writes it as writePdf does.
    bool printToDefaultPrinter(QWidget* parent);
    /// Shows the pages in the preview window and returns when it has been closed. Shows
    /// nothing when the table has no record.
    void preview(QWidget* parent);
    /// Writes the pages as a PDF file and returns their number; a table without a record
    /// gives one page with the title, the column header and the footer. Throws
    /// core::EInOutError when the file cannot be written.
    int writePdf(const QString& path);

    /// The report's design: page setup and bands.
    const report::Report& report() const { return report_; }
    /// The laid-out pages (reads the table like printing does).
    report::ReportDocument layout() const { return report_.layout(); }

private:
    void createTitleBand();
    void createColumnHeaderBand();
    void createDetailBand();
    void createPageFooterBand();

    output::TableReportProvider data_;
    report::Report report_;
};
