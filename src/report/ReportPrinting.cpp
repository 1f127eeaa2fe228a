#include "ReportPrinting.h"
#include "DefaultPrinter.h"
#include "PrintProgressDialog.h"
#include "core/SectionTexts.h"
#include "ReportRenderer.h"

#include "core/Errors.h"
#include "core/AtomicFile.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <optional>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace report {

namespace {

// What a high-resolution printer writing PDF uses, so both give the same file.
constexpr int kPdfDpi = 1200;

QString fileMessage(const char* what, const QString& path, const QString& reason)
{
    const QString text = qstrcmp(what, "write") == 0
                             ? core::sectionText("Catalogue", "CannotWrite", QStringLiteral("Filen \"%1\" kan ikke skrives. %2"))
                             : core::sectionText("Catalogue", "CannotCreate", QStringLiteral("Filen \"%1\" kan ikke oprettes. %2"));
    return text.arg(QDir::toNativeSeparators(path), reason);
}

// Qt's PDF writer allocates and frees each page's buffers: glibc would hand the freed memory
// back to the system after every page and fault it in again on the next (a sixth of the time).
// Kept, it is reused; the peak stays the same.
void keepFreedMemoryForPages()
{
#ifdef __GLIBC__
    static const bool done = [] {
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        return true;
    }();
    Q_UNUSED(done);
#endif
}

/// Starts the device when the first page comes, so a report without pages starts nothing.
using StartDevice = std::function<QPagedPaintDevice*()>;

// Paints each page of source as it is laid out; false when progress cancelled (abandon runs
// first, while the painter is still active; also before an error in the data goes on) or the
// device could not start.
bool paintPages(PageSource& source, const StartDevice& start, const PageProgress& progress, int pageCount,
                const std::function<void()>& abandon)
{
    QPainter painter;
    QPagedPaintDevice* device = nullptr;
    std::optional<ReportRenderer> renderer;
    bool failed = false;
    const PageSink paint = [&](const ReportPage& page, int index) {
        if (progress && !progress(index, pageCount)) {
            if (abandon && painter.isActive())
                abandon();
            return false;
        }
        if (!device) {
            device = start();
            if (!painter.begin(device)) {
                failed = true;
                return false;
            }
            renderer.emplace(source.page(), source.bands(), painter);
        } else {
            device->newPage();
        }
        renderer->drawPage(page);
        return true;
    };
    bool done = false;
    try {
        done = source.run(paint);
    } catch (...) {
        // Data that fails part-way must not leave half a job at the printer.
        if (abandon && painter.isActive())
            abandon();
        throw;
    }
    if (!painter.isActive())
        return done && !failed;
    return painter.end() && done;
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
    DocumentPages pages(doc);
    return paintPages(pages, printer, progress, doc.pageCount());
}

bool paintPages(PageSource& source, QPrinter& printer, const PageProgress& progress, int pageCount,
                bool abortOnCancel)
{
    const StartDevice start = [&]() -> QPagedPaintDevice* {
        preparePrinter(printer, source.page());
        return &printer;
    };
    const std::function<void()> abort = [&printer] { printer.abort(); };
    return paintPages(source, start, progress, pageCount, abortOnCancel ? abort : std::function<void()>());
}

bool writePdfFile(const ReportDocument& doc, const QString& path, const QString& title, const PageProgress& progress)
{
    DocumentPages pages(doc);
    return writePdfFile(pages, path, title, progress, doc.pageCount());
}

bool writePdfFile(PageSource& source, const QString& path, const QString& title, const PageProgress& progress,
                  int pageCount)
{
    keepFreedMemoryForPages();
    core::AtomicFile file(path);
    std::optional<QPdfWriter> writer;
    bool cancelled = false;
    const PageProgress asked = [&](int page, int count) {
        cancelled = progress && !progress(page, count);
        return !cancelled;
    };
    const StartDevice start = [&]() -> QPagedPaintDevice* {
        openTarget(file, path);
        writer.emplace(&file);
        writer->setResolution(kPdfDpi);
        writer->setPageLayout(source.page().pageLayout());
        writer->setCreator(QStringLiteral("Spolarkiv"));
        writer->setTitle(title);
        return &*writer;
    };
    const bool painted = paintPages(source, start, asked, pageCount, {});
    const bool started = writer.has_value();
    writer.reset(); // writes the file's end
    if (!started || cancelled) {
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

int writePdf(PageSource& source, const QString& path)
{
    int pages = 0;
    const PageProgress counted = [&pages](int page, int) {
        pages = page + 1;
        return true;
    };
    return writePdfFile(source, path, QString(), counted) ? pages : 0;
}

namespace {

bool printCounted(PageSource& source, QPrinter& printer, PrintProgressDialog& progress, int pageCount)
{
    const PageProgress advance = [&progress](int page, int) { return progress.advance(page); };
    // A printer that writes a PDF file gets the same care as a PDF written directly.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return writePdfFile(source, printer.outputFileName(), printer.docName(), advance, pageCount);
    return paintPages(source, printer, advance, pageCount);
}

} // namespace

bool printWithProgress(const ReportDocument& doc, QPrinter& printer, QWidget* parent)
{
    if (doc.isEmpty())
        return false;
    DocumentPages pages(doc);
    PrintProgressDialog progress(parent, doc.pageCount());
    return printCounted(pages, printer, progress, doc.pageCount());
}

bool printWithProgress(PageSource& source, QPrinter& printer, QWidget* parent)
{
    PrintProgressDialog progress(parent, 0);
    const int pageCount = source.countPages([&progress] { return progress.poll(); });
    if (pageCount <= 0)
        return false;
    progress.setPageCount(pageCount);
    return printCounted(source, printer, progress, pageCount);
}

bool printToDefaultPrinter(const ReportDocument& doc, QWidget* parent)
{
    if (doc.isEmpty())
        return false;
    std::unique_ptr<QPrinter> printer = openDefaultPrinter();
    return printer && printWithProgress(doc, *printer, parent);
}

bool printToDefaultPrinter(PageSource& source, QWidget* parent)
{
    std::unique_ptr<QPrinter> printer = openDefaultPrinter();
    return printer && printWithProgress(source, *printer, parent);
}

} // namespace report
