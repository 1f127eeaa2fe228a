#pragma once
// Paints laid-out pages on any paint device (printer, PDF, preview, image). The layout is in
// mm; a transform from mm to the device's pixels places every box, and fonts are resolved by
// point size for the device, so one layout serves every output.
#include "ReportDocument.h"

#include "TextFit.h"

#include <QFont>
#include <QHash>
#include <QTransform>
#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;

namespace report {

class ReportRenderer {
public:
    /// painter must be active on its device; the page's top left corner is the device's origin.
    /// page and bands are not copied and must outlive the renderer.
    ReportRenderer(const PageSetup& page, const std::vector<ReportBand>& bands, QPainter& painter);
    ReportRenderer(const ReportDocument& doc, QPainter& painter);

    /// Paints page pageIndex (0-based) of the document on the painter's current page.
    void drawPage(int pageIndex);
    /// Paints page on the painter's current page.
    void drawPage(const ReportPage& page);

    /// mm on paper -> device pixels for a device of that resolution.
    static QTransform mmToDevice(const QPaintDevice& device);

private:
    void drawBand(const PlacedBand& placed);
    void drawBox(const QRectF& rectMm, const BoxStyle& box);
    void drawFrame(const QRectF& rect, const BoxStyle& box);
    /// A FieldPicture item's value drawn by its paintValue.
    void drawPicture(const QRectF& rectMm, const ReportItem& item, const QString& value);
    /// The text on its box's one line; shortText, when given, stands in for a text that does not fit whole.
    void drawText(const QRectF& rectMm, size_t band, size_t item, const QString& text, const QString& shortText);

    /// The laid-out line of a value already printed in this item, or a new one.
    const FittedLine& fitted(size_t band, size_t item, const QRectF& rect, const QString& text, const QString& shortText);

    /// An item's values laid out lately: a list repeats its categories, types and dates on every page.
    struct LineCache {
        QHash<QString, std::shared_ptr<const FittedLine>> lines;
        qint64 lookups = 0;
        qint64 hits = 0;
        std::shared_ptr<const FittedLine> last; // of a value not kept
    };

    const PageSetup& page_;
    const std::vector<ReportBand>& bands_;
    const ReportDocument* doc_ = nullptr;
    QPainter& painter_;
    QTransform toDevice_;
    std::vector<std::vector<QFont>> fonts_; // per band and item, resolved for the device once
    std::vector<std::vector<bool>> shortOnly_; // per band and item: its widest text does not fit
    std::vector<std::vector<LineCache>> lines_; // per band and item
};

} // namespace report
