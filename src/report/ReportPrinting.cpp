#include "ReportPrinting.h"
#include "DefaultPrinter.h"
#include "PrintProgressDialog.h"
#include "ReportRenderer.h"

#include "core/Errors.h"
#include "core/AtomicFile.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace report {

namespace {

// What a high-resolution printer writing PDF uses, so both give the same file.
constexpr int kPdfDpi = 1200;

QString fileMessage(const char* what, const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot %1 file \"%2\". %3").arg(QLatin1String(what), QDir::toNativeSeparators(path), reason);
}

// Paints every page on device; false when progress cancelled (abandon runs first, while the
// painter is still active) or the device could not start.
bool paintPages(const ReportDocument& doc, QPagedPaintDevice& device, const PageProgress& progress,
                const std::function<void()>& abandon)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    ReportRenderer renderer(doc, painter);
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (progress && !progress(i, doc.pageCount())) {
            if (abandon)
                abandon();
            return false;
        }
        if (i > 0)
            device.newPage();
        renderer.drawPage(i);
    }
    return painter.end();
}

void openTarget(core::AtomicFile& file, const QString& path)
{
    if (!file.open(QIODevice::WriteOnly))
        throw core::EInOutError(fileMessage("create", path, file.errorString()));
}

// The old file is replaced only by a complete one: every write and the last flush must have
// reached the disk, else the new file is dropped.
void commitTarget(core::AtomicFile& file, const QString& path)
{
    if (!file.commit())
        throw core::EInOutError(fileMessage("write", path, file.errorString()));
}

} // namespace

void preparePrinter(QPrinter& printer, const PageSetup& page)
{
    printer.setFullPage(true);
    printer.setPageLayout(page.pageLayout());
}

bool paintDocument(const ReportDocument& doc, QPrinter& printer, const PageProgress& progress)
{
    if (doc.isEmpty())
        return true;
    preparePrinter(printer, doc.page);
    return paintPages(doc, printer, progress, [&printer] { printer.abort(); });
}

bool writePdfFile(const ReportDocument& doc, const QString& path, const QString& title, const PageProgress& progress)
{
    if (doc.isEmpty())
        return false;
    core::AtomicFile file(path);
    openTarget(file, path);
    bool cancelled = false;
    const PageProgress asked = [&](int page, int count) {
        cancelled = progress && !progress(page, count);
        return !cancelled;
    };
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfDpi);
        writer.setPageLayout(doc.page.pageLayout());
        writer.setCreator(QStringLiteral("Spolarkiv"));
        writer.setTitle(title);
        painted = paintPages(doc, writer, asked, {});
    }
    if (cancelled) {
        file.discard(); // the old file stays
        return false;
    }
    if (!painted && !file.failed())
        throw core::EInOutError(fileMessage("write", path, QStringLiteral("The pages could not be drawn")));
    commitTarget(file, path);
    return true;
}

int writePdf(const ReportDocument& doc, const QString& path)
{
    return writePdfFile(doc, path, QString(), {}) ? doc.pageCount() : 0;
}

bool printWithProgress(const ReportDocument& doc, QPrinter& printer, QWidget* parent)
{
    if (doc.isEmpty())
        return false;
    PrintProgressDialog progress(parent, doc.pageCount());
    const PageProgress advance = [&progress](int page, int) { return progress.advance(page); };
    // A printer that writes a PDF file gets the same care as a PDF written directly.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return writePdfFile(doc, printer.outputFileName(), printer.docName(), advance);
    return paintDocument(doc, printer, advance);
}

bool printToDefaultPrinter(const ReportDocument& doc, QWidget* parent)
{
    if (doc.isEmpty())
        return false;
    std::unique_ptr<QPrinter> printer = openDefaultPrinter();
    return printer && printWithProgress(doc, *printer, parent);
}

} // namespace report
