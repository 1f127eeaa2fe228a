#include "ReportPaginator.h"
#include "ReportDataProvider.h"

namespace report {

namespace {
// Band heights are decimals in mm; a band that fits exactly must not spill over by rounding.
constexpr double fitTolerance = 1e-6;

class ReadingScope {
public:
    explicit ReadingScope(ReportDataProvider& data) : data_(data) { data_.beginReading(); }
    ~ReadingScope() { data_.endReading(); }
    ReadingScope(const ReadingScope&) = delete;
    ReadingScope& operator=(const ReadingScope&) = delete;

private:
    ReportDataProvider& data_;
};

} // namespace

ReportPaginator::ReportPaginator(const PageSetup& page, const std::vector<ReportBand>& bands,
                                 const QString& title)
    : title_(title)
{
    doc_.page = page;
    doc_.bands = bands;
}

ReportDocument ReportPaginator::run(ReportDataProvider* data)
{
    data_ = data;
    if (!data)
        return doc_;
    ReadingScope reading(*data);
    if (data->isEmpty())
        return doc_;
    data->first();
    if (data->eof())
        return doc_;
    startPage();
    while (!data->eof()) {
        placeDetails();
        ++detailCount_;
        data->next();
    }
    finishPage();
    return doc_;
}

void ReportPaginator::startPage()
{
    const bool firstPage = doc_.pages.empty();
    doc_.pages.emplace_back();
    y_ = 0.0;
    detailsOnPage_ = 0;
    if (firstPage) {
        for (int band : bandsOf(BandKind::Title))
            place(band, y_);
    }
    for (int band : bandsOf(BandKind::ColumnHeader))
        place(band, y_);
}

void ReportPaginator::finishPage()
{
    double top = doc_.page.bodyHeightMm() - heightOf(BandKind::PageFooter);
    for (int band : bandsOf(BandKind::PageFooter)) {
        place(band, top);
        top += doc_.bands[size_t(band)].heightMm;
    }
}

void ReportPaginator::placeDetails()
{
    const std::vector<int> details = bandsOf(BandKind::Detail);
    for (int band : details) {
        const double height = doc_.bands[size_t(band)].heightMm;
        // A band taller than an empty page stays on that page rather than opening pages forever.
        if (!fits(height) && detailsOnPage_ > 0) {
            finishPage();
            startPage();
        }
        place(band, y_);
        ++detailsOnPage_;
    }
}

bool ReportPaginator::fits(double heightMm) const
{
    const double bottom = doc_.page.bodyHeightMm() - heightOf(BandKind::PageFooter);
    return y_ + heightMm <= bottom + fitTolerance;
}

void ReportPaginator::place(int band, double topMm)
{
    const ReportBand& definition = doc_.bands[size_t(band)];
    PlacedBand placed;
    placed.band = band;
    placed.topMm = topMm;
    for (const ReportItem& item : definition.items) {
        placed.texts << textOf(item);
        const bool field = item.kind == ItemKind::Field && !data_->eof();
        placed.shortTexts << (field ? data_->shortFieldText(item.text) : QString());
    }
    doc_.pages.back().bands.push_back(std::move(placed));
    if (definition.kind != BandKind::PageFooter)
        y_ = topMm + definition.heightMm;
}

double ReportPaginator::heightOf(BandKind kind) const
{
    double height = 0.0;
    for (const ReportBand& band : doc_.bands) {
        if (band.kind == kind)
            height += band.heightMm;
    }
    return height;
}

std::vector<int> ReportPaginator::bandsOf(BandKind kind) const
{
    std::vector<int> found;
    for (size_t i = 0; i < doc_.bands.size(); ++i) {
        if (doc_.bands[i].kind == kind)
            found.push_back(int(i));
    }
    return found;
}

QString ReportPaginator::textOf(const ReportItem& item) const
{
    switch (item.kind) {
    case ItemKind::Label:
        return item.text;
    case ItemKind::Field:
        return data_->eof() ? QString() : data_->fieldText(item.text);
    case ItemKind::ReportTitle:
        return title_;
    case ItemKind::PageNumber:
        return item.text + QString::number(doc_.pages.size());
    case ItemKind::DetailCount:
        return item.text + QString::number(detailCount_);
    }
    return QString();
}

} // namespace report
