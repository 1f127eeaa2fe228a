#pragma once
// Paints laid-out pages on any paint device (printer, PDF, preview, image). The layout is in
// mm; a transform from mm to the device's pixels places every box, and fonts are resolved by
// point size for the device, so one layout serves every output.
#include "ReportDocument.h"

#include <QTransform>

class QPainter;
class QPaintDevice;

namespace report {

class ReportRenderer {
public:
    /// painter must be active on its device; the page's top left corner is the device's origin.
    ReportRenderer(const ReportDocument& doc, QPainter& painter);

    /// Paints page pageIndex (0-based) on the painter's current page.
    void drawPage(int pageIndex);

    /// mm on paper -> device pixels for a device of that resolution.
    static QTransform mmToDevice(const QPaintDevice& device);

private:
    void drawBand(const PlacedBand& placed);
    void drawBox(const QRectF& rectMm, const BoxStyle& box);
    void drawFrame(const QRectF& rect, const BoxStyle& box);
    /// The text on its box's one line; shortText, when given, stands in for a text that does not fit whole.
    void drawText(const QRectF& rectMm, const ReportItem& item, const QString& text, const QString& shortText);

    const ReportDocument& doc_;
    QPainter& painter_;
    QTransform toDevice_;
};

} // namespace report
