#include "ReportFixtures.h"

#include "core/Errors.h"

using namespace report;

namespace testing_support {

std::vector<MemoryProvider::Record> MemoryProvider::numbered(int count)
{
    std::vector<Record> records;
    for (int i = 1; i <= count; ++i) {
        records.push_back({{QStringLiteral("Nr"), QString::number(i)},
                           {QStringLiteral("Titel"), QStringLiteral("Film %1").arg(i)}});
    }
    return records;
}

QString MemoryProvider::fieldText(const QString& name)
{
    ++fieldCalls;
    if (onRead)
        onRead(int(pos_));
    if (int(pos_) == failAtRecord)
        throw core::EDatabaseError(QStringLiteral("Record %1 is unreadable").arg(pos_));
    return records_.at(pos_).value(name);
}

namespace {

ReportItem line(ItemKind kind, const QString& text, double left, double top, double width)
{
    return ReportItem::make(kind, text, QRectF(left, top, width, 4.50));
}

} // namespace

Report makeListReport(ReportDataProvider* data, const QString& title)
{
    Report r;
    r.pageSetup() = PageSetup{QPageSize::A4, QPageLayout::Landscape, 15.0, 10.0, 10.0, 10.0};
    r.setTitle(title);
    r.setDataProvider(data);

    ReportFont titleFont{QStringLiteral("Arial"), 20, true, QColor(Qt::darkBlue)};
    ReportItem& titleItem = r.addBand(BandKind::Title, 13.49)
                                .add(ReportItem::make(ItemKind::ReportTitle, QString(), QRectF(0, 1.06, 272, 8.73), titleFont));
    titleItem.alignment = Qt::AlignHCenter;

    ReportBand& header = r.addBand(BandKind::ColumnHeader, 6.09);
    header.box = BoxStyle{QColor(Qt::lightGray), allSides()};
    header.add(line(ItemKind::Label, QStringLiteral("Båndnr."), 4.23, 0.79, 17.20)).font.bold = true;
    header.add(line(ItemKind::Label, QStringLiteral("Titel"), 23.28, 0.79, 69.06)).font.bold = true;

    ReportBand& detail = r.addBand(BandKind::Detail, 6.35);
    detail.add(line(ItemKind::Field, QStringLiteral("Nr"), 4.23, 0.79, 17.20));
    detail.add(line(ItemKind::Field, QStringLiteral("Titel"), 23.28, 0.79, 69.06));

    ReportBand& footer = r.addBand(BandKind::PageFooter, 6.35);
    footer.add(line(ItemKind::Label, QStringLiteral("Bånd i alt: "), 4.23, 0, 19.0));
    footer.add(line(ItemKind::DetailCount, QString(), 23.28, 0, 30.0));
    footer.add(line(ItemKind::PageNumber, QStringLiteral("Side "), 247.39, 1.06, 20.11)).alignment = Qt::AlignRight;
    return r;
}

} // namespace testing_support
