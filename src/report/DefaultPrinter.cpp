#include "DefaultPrinter.h"

#include <QPrinterInfo>

namespace report {

namespace {

std::unique_ptr<QPrinter> systemDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

PrinterFactory& factory()
{
    static PrinterFactory current;
    return current;
}

void applyReportSettings(QPrinter& printer)
{
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setPaperSource(QPrinter::Upper);
}

} // namespace

std::unique_ptr<QPrinter> openDefaultPrinter()
{
    std::unique_ptr<QPrinter> printer = factory() ? factory()() : systemDefaultPrinter();
    if (printer)
        applyReportSettings(*printer);
    return printer;
}

void setPrinterFactory(PrinterFactory f)
{
    factory() = std::move(f);
}

} // namespace report
