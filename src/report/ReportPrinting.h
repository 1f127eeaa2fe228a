#pragma once
// Sending laid-out pages to a printer, a PDF file or the default printer.
#include "PageSource.h"

#include <functional>

class QPrinter;
class QWidget;

namespace report {

/// Asked before each page (0-based index, page count); false cancels the printing.
using PageProgress = std::function<bool(int pageIndex, int pageCount)>;

/// Sets the printer to the document's paper and orientation, drawing from the paper's corner.
void preparePrinter(QPrinter& printer, const PageSetup& page);

/// Prepares printer and paints every page on it. A cancel aborts the print job. Returns true
/// when every page was sent; false when cancelled or when the printer could not start (an
/// empty document starts nothing and returns true).
bool paintDocument(const ReportDocument& doc, QPrinter& printer, const PageProgress& progress = {});

/// Writes the pages as a PDF file and returns their number. With no page, no file is written
/// (an existing file stays as it is). The file is replaced only once it is complete and on
/// disk; a link to a regular file is written through, and a new file gets the user's usual
/// mode. Throws core::EInOutError, leaving any old file as it was, when the target is not a
/// regular file or the file cannot be written whole.
int writePdf(const ReportDocument& doc, const QString& path);

/// Writes the pages of source as a PDF file, each laid out and drawn before the next is read;
/// as writePdf otherwise. Returns the number of pages.
int writePdf(PageSource& source, const QString& path);

/// writePdf with a document title and a progress asked before each page. False when there
/// is no page or progress cancelled (nothing is replaced then).
bool writePdfFile(const ReportDocument& doc, const QString& path, const QString& title, const PageProgress& progress);
/// The same for pages laid out while they are written; progress is told pageCount (-1: not counted).
bool writePdfFile(PageSource& source, const QString& path, const QString& title, const PageProgress& progress,
                  int pageCount = -1);

/// paintDocument for pages laid out while they are painted; progress is told pageCount. A
/// cancel aborts the print job unless abortOnCancel is false (a preview's printer must not be).
bool paintPages(PageSource& source, QPrinter& printer, const PageProgress& progress, int pageCount,
                bool abortOnCancel = true);

/// Prints on printer, showing a progress window with a cancel button. True when every page
/// was sent; an empty document prints nothing and returns false. A printer set to write a
/// PDF file writes it as writePdfFile does (and throws as it does).
bool printWithProgress(const ReportDocument& doc, QPrinter& printer, QWidget* parent);
/// The same for pages laid out while they are printed: the window counts the pages first
/// (reading the data once without its texts), and cancelling then prints nothing.
bool printWithProgress(PageSource& source, QPrinter& printer, QWidget* parent);

/// Prints on the default printer without a printer dialog, showing the progress window.
/// Does nothing when there is no printer or no page. True when every page was sent.
bool printToDefaultPrinter(const ReportDocument& doc, QWidget* parent);
bool printToDefaultPrinter(PageSource& source, QWidget* parent);

} // namespace report
