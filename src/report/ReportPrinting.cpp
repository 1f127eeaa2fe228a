#include "ReportPrinting.h"
#include "DefaultPrinter.h"
#include "PrintProgressDialog.h"
#include "ReportRenderer.h"

#include "core/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>
#include <cstdio>

namespace report {

namespace {

QString cannotCreate(const QString& path)
{
    return QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path));
}

// Moves the finished file over path in one step, so a reader never sees half a file.
void replaceFile(QTemporaryFile& finished, const QString& path)
{
    if (std::rename(QFile::encodeName(finished.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0)
        throw core::EInOutError(cannotCreate(path));
    finished.setAutoRemove(false);
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
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    ReportRenderer renderer(doc, painter);
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (progress && !progress(i, doc.pageCount())) {
            printer.abort();
            return false;
        }
        if (i > 0)
            printer.newPage();
        renderer.drawPage(i);
    }
    return painter.end();
}

int writePdf(const ReportDocument& doc, const QString& path)
{
    if (doc.isEmpty())
        return 0;
    const QFileInfo target(path);
    QTemporaryFile partial(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                           + QStringLiteral(".XXXXXX"));
    if (!partial.open())
        throw core::EInOutError(cannotCreate(path));
    partial.close(); // the name stays reserved; the PDF engine writes the file itself
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(partial.fileName());
    printer.setCreator(QStringLiteral("Spolarkiv"));
    if (!paintDocument(doc, printer))
        throw core::EInOutError(cannotCreate(path));
    replaceFile(partial, path);
    return doc.pageCount();
}

bool printWithProgress(const ReportDocument& doc, QPrinter& printer, QWidget* parent)
{
    if (doc.isEmpty())
        return false;
    PrintProgressDialog progress(parent, doc.pageCount());
    return paintDocument(doc, printer, [&progress](int page, int) { return progress.advance(page); });
}

bool printToDefaultPrinter(const ReportDocument& doc, QWidget* parent)
{
    if (doc.isEmpty())
        return false;
    std::unique_ptr<QPrinter> printer = openDefaultPrinter();
    return printer && printWithProgress(doc, *printer, parent);
}

} // namespace report
