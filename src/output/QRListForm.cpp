#include "QRListForm.h"
#include "data/Fields.h"

#include <iterator>

using namespace report;
namespace fields = data::fields;

namespace {

// Every item but the title is one line of Arial 10 high.
constexpr double lineHeight = 4.50;
constexpr double headerTop = 0.79;
constexpr double detailTop = 0.79;
// The footer's label and count share the page number's line.
constexpr double footerTop = 1.06;

struct Column {
    double left;
    double width;
    const char* caption;
    const char* field;
};

const Column columns[] = {
    {4.23, 17.20, "Båndnr.", fields::TapeNr},
    {23.28, 69.06, "Titel", fields::Titel},
    {93.66, 32.01, "Kategori", fields::Kategori},
    {127.00, 17.20, "Start", fields::Start},
    {146.05, 17.20, "Slut", fields::Slut},
    {165.10, 17.20, "Varighed", fields::Varighed},
    {187.33, 19.05, "Optaget", fields::OptagetDato},
    {208.76, 35.98, "Optaget af", fields::Optagetaf},
    {247.12, 17.20, "Type", fields::Type},
};

const QColor navy(0, 0, 128);
const QColor silver(192, 192, 192);

ReportItem line(ItemKind kind, const QString& text, double left, double top, double width)
{
    return ReportItem::make(kind, text, QRectF(left, top, width, lineHeight));
}

} // namespace

TQRListForm::TQRListForm(engine::Table& videoTable) : data_(videoTable)
{
    PageSetup& page = report_.pageSetup();
    page.paper = QPageSize::A4;
    page.orientation = QPageLayout::Landscape;
    page.marginTop = 10.0;
    page.marginBottom = 10.0;
    page.marginLeft = 15.0;
    page.marginRight = 10.0;
    report_.setTitle(QStringLiteral("Spolarkiv"));
    report_.setDataProvider(&data_);
    createTitleBand();
    createColumnHeaderBand();
    createDetailBand();
    createPageFooterBand();
}

void TQRListForm::createTitleBand()
{
    ReportBand& band = report_.addBand(BandKind::Title, 13.49);
    const ReportFont font{QStringLiteral("Arial"), 20, true, navy};
    const QRectF box(0, 1.06, report_.pageSetup().bandWidthMm(), 8.73);
    band.add(ReportItem::make(ItemKind::ReportTitle, QString(), box, font)).alignment = Qt::AlignHCenter;
}

void TQRListForm::createColumnHeaderBand()
{
    ReportBand& band = report_.addBand(BandKind::ColumnHeader, 6.09);
    band.box = BoxStyle{silver, allSides()};
    const double bandWidth = report_.pageSetup().bandWidthMm();
    const int count = int(std::size(columns));
    // A caption is as wide as its own text; its box reaches to the next column.
    for (int i = 0; i < count; ++i) {
        const double next = i + 1 < count ? columns[i + 1].left : bandWidth;
        const Column& c = columns[i];
        band.add(line(ItemKind::Label, QString::fromUtf8(c.caption), c.left, headerTop, next - c.left)).font.bold = true;
    }
}

void TQRListForm::createDetailBand()
{
    ReportBand& band = report_.addBand(BandKind::Detail, 6.35);
    for (const Column& c : columns)
        band.add(line(ItemKind::Field, QLatin1String(c.field), c.left, detailTop, c.width)).widestTexts =
            data_.widestTexts(QLatin1String(c.field));
}

void TQRListForm::createPageFooterBand()
{
    ReportBand& band = report_.addBand(BandKind::PageFooter, 6.35);
    band.add(line(ItemKind::Label, QStringLiteral("Bånd i alt: "), 4.23, footerTop, 23.28 - 4.23));
    band.add(line(ItemKind::DetailCount, QString(), 23.28, footerTop, 93.66 - 23.28));
    band.add(line(ItemKind::PageNumber, QStringLiteral("Side "), 247.39, footerTop, 20.11)).alignment = Qt::AlignRight;
}

bool TQRListForm::printToDefaultPrinter(QWidget* parent)
{
    return report_.print(parent);
}

void TQRListForm::preview(QWidget* parent)
{
    report_.preview(parent);
}

int TQRListForm::writePdf(const QString& path)
{
    // A file asked for by name is always written: an empty list is a page of headings.
    report_.setPrintIfEmpty(true);
    const int pages = report_.writePdf(path);
    report_.setPrintIfEmpty(false);
    return pages;
}
