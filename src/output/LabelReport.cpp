#include "LabelReport.h"

#include "Barcode.h"
#include "data/Fields.h"
#include "engine/Table.h"

#include <algorithm>

using namespace report;
namespace fields = data::fields;

namespace output {

namespace {

// A table read without the field prints no location line.
const QString locationField = QLatin1String(fields::Placering);

// Where the parts of a label go, in mm from its top left corner.
struct LabelParts {
    QRectF number, title, location, barcode;
};

// Labels of 30 mm and more: three lines of text above the barcode. The lower, wide spine label:
// the barcode at its left end, the lines of text beside it.
LabelParts partsFor(double width, double height, bool withLocation)
{
    constexpr double pad = 3.0;
    if (height >= 30.0) {
        const double inner = width - 2 * pad;
        const double barcodeTop = withLocation ? 16.5 : 12.5;
        return {QRectF(pad, 2.0, inner, 5.5), QRectF(pad, 7.5, inner, 4.5), QRectF(pad, 12.0, inner, 4.0),
                QRectF(pad, barcodeTop, inner, height - barcodeTop - 2.5)};
    }
    const double barcodeWidth = std::min(55.0, width / 2);
    const double textLeft = pad + barcodeWidth + pad;
    const double textWidth = width - textLeft - pad;
    const double textTop = withLocation ? 1.5 : 3.5;
    return {QRectF(textLeft, textTop, textWidth, 5.0), QRectF(textLeft, textTop + 5.0, textWidth, 4.5),
            QRectF(textLeft, textTop + 10.0, textWidth, 4.0), QRectF(pad, 1.5, barcodeWidth, height - 3.0)};
}

} // namespace

TLabelReport::TLabelReport(engine::Table& videoTable, const LabelSheet& sheet, int firstPosition)
    : records_(videoTable)
{
    records_.setBlanks(std::clamp(firstPosition, 1, sheet.perSheet()) - 1);
    report_.pageSetup() = sheet.pageSetup();
    report_.setTitle(QStringLiteral("Spolarkiv"));
    report_.setDataProvider(&records_);
    createLabelBand(sheet, videoTable.FindField(locationField) != nullptr);
}

void TLabelReport::createLabelBand(const LabelSheet& sheet, bool withLocation)
{
    ReportBand& band = report_.addBand(BandKind::Detail, sheet.labelHeightMm);
    const LabelParts parts = partsFor(sheet.labelWidthMm, sheet.labelHeightMm, withLocation);
    const bool spine = sheet.labelHeightMm < 30.0;
    band.add(ReportItem::make(ItemKind::Field, QLatin1String(fields::TapeNr), parts.number,
                              ReportFont{QStringLiteral("Arial"), spine ? 11.0 : 12.0, true}));
    band.add(ReportItem::make(ItemKind::Field, QLatin1String(fields::Titel), parts.title,
                              ReportFont{QStringLiteral("Arial"), 9.0}));
    if (withLocation)
        band.add(ReportItem::make(ItemKind::Field, locationField, parts.location, ReportFont{QStringLiteral("Arial"), 8.0}));
    ReportItem& barcode = band.add(ReportItem::make(ItemKind::FieldPicture, QLatin1String(fields::TapeNr), parts.barcode));
    barcode.paintValue = [](QPainter& painter, const QRectF& rect, const QString& value) {
        drawCode128(painter, rect, value);
    };
}

} // namespace output
