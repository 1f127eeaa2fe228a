#include "Report.h"
#include "DefaultPrinter.h"
#include "ReportDataProvider.h"
#include "ReportPaginator.h"
#include "ReportPreview.h"
#include "ReportPrinting.h"

namespace report {

ReportBand& Report::addBand(BandKind kind, double heightMm)
{
    ReportBand band;
    band.kind = kind;
    band.heightMm = heightMm;
    bands_.push_back(band);
    return bands_.back();
}

ReportDocument Report::layout() const
{
    return ReportPaginator(page_, bands_, title_).run(data_);
}

bool Report::print(QWidget* parent)
{
    std::unique_ptr<QPrinter> printer = openDefaultPrinter();
    if (!printer)
        return false;
    printer->setDocName(title_);
    return printWithProgress(layout(), *printer, parent);
}

std::unique_ptr<ReportPreview> Report::createPreview(QWidget* parent) const
{
    ReportDocument doc = layout();
    if (doc.isEmpty())
        return nullptr;
    return std::make_unique<ReportPreview>(std::move(doc), parent);
}

void Report::preview(QWidget* parent) const
{
    if (std::unique_ptr<ReportPreview> window = createPreview(parent)) {
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
        window->exec();
    }
}

int Report::writePdf(const QString& path) const
{
    return report::writePdf(layout(), path);
}

} // namespace report
