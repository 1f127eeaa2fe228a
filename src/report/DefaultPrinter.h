#pragma once
// Where printing goes: the system's default printer, found through QPrinterInfo. The lookup
// is replaceable, so tests can have "no printer" or a printer that writes a PDF file.
#include <QPrinter>
#include <functional>
#include <memory>

namespace report {

/// Returns a printer for the default printer, or nullptr when there is none.
using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;

/// The default printer set for a report: one copy, all pages, first paper tray, no duplex.
/// nullptr when there is no printer.
std::unique_ptr<QPrinter> openDefaultPrinter();

/// Replaces the lookup; an empty factory restores the system's (QPrinterInfo).
void setPrinterFactory(PrinterFactory factory);

/// Sets a factory for the lifetime of the object and restores the system's afterwards.
class ScopedPrinterFactory {
public:
    explicit ScopedPrinterFactory(PrinterFactory factory) { setPrinterFactory(std::move(factory)); }
    ~ScopedPrinterFactory() { setPrinterFactory({}); }
    ScopedPrinterFactory(const ScopedPrinterFactory&) = delete;
    ScopedPrinterFactory& operator=(const ScopedPrinterFactory&) = delete;
};

} // namespace report
