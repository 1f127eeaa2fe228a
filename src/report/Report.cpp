#include "Report.h"
#include "ReportTexts.h"
#include "DefaultPrinter.h"
#include "PrintProgressDialog.h"
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
    ReportPaginator paginator(page_, bands_, title_);
    paginator.setPrintIfEmpty(printIfEmpty_);
    return paginator.run(data_);
}

bool Report::print(QWidget* parent)
{
    std::unique_ptr<QPrinter> printer = openDefaultPrinter();
    if (!printer)
        return false;
    printer->setDocName(title_);
    LaidOutPages source = pages();
    return printWithProgress(source, *printer, parent);
}

LaidOutPages Report::pages() const
{
    return LaidOutPages(page_, bands_, title_, data_, printIfEmpty_);
}

std::unique_ptr<ReportPreview> Report::createPreview(QWidget* parent) const
{
    auto source = std::make_unique<LaidOutPages>(pages());
    int pageCount = 0;
    {
        PrintProgressDialog progress(parent, 0, reportText("Preparing", QStringLiteral("Forbereder")), previewProgressDelay_);
        pageCount = source->countPages([&progress] { return progress.poll(); });
    }
    if (pageCount <= 0)
        return nullptr;
    auto preview = std::make_unique<ReportPreview>(std::move(source), pageCount, parent, previewProgressDelay_);
    if (preview->cancelled())
        return nullptr;
    return preview;
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
    LaidOutPages source = pages();
    return report::writePdf(source, path);
}

} // namespace report
