#include "ReportPaginator.h"
#include "ReportDataProvider.h"

#include <algorithm>

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
    : pageSetup_(page), bands_(bands), title_(title)
{
    for (size_t i = 0; i < bands_.size(); ++i)
        bandsByKind_[int(bands_[i].kind)].push_back(int(i));
}

ReportDocument ReportPaginator::run(ReportDataProvider* data)
{
    ReportDocument doc;
    doc.page = pageSetup_;
    doc.bands = bands_;
    run(data, [&doc](const ReportPage& page, int) {
        doc.pages.push_back(page);
        return true;
    });
    return doc;
}

bool ReportPaginator::run(ReportDataProvider* data, const PageSink& sink)
{
    countOnly_ = false;
    return layOut(data, sink);
}

int ReportPaginator::countPages(ReportDataProvider* data, const KeepGoing& keepGoing)
{
    countOnly_ = true;
    int pages = 0;
    const bool done = layOut(data, [&](const ReportPage&, int) {
        ++pages;
        return !keepGoing || keepGoing();
    });
    return done ? pages : -1;
}

bool ReportPaginator::layOut(ReportDataProvider* data, const PageSink& sink)
{
    data_ = data;
    sink_ = sink;
    stopped_ = false;
    pageIndex_ = -1;
    detailCount_ = 0;
    if (!data)
        return true;
    ReadingScope reading(*data);
    bool empty = data->isEmpty();
    if (!empty) {
        data->first();
        empty = data->eof();
    }
    if (empty) {
        if (!printIfEmpty_)
            return true;
        // One page with the title, the column header and the footer: a list of nothing.
        startPage();
        finishPage();
        return !stopped_;
    }
    startPage();
    while (!data->eof()) {
        placeDetails();
        if (stopped_)
            return false;
        ++detailCount_;
        data->next();
    }
    finishPage();
    return !stopped_;
}

void ReportPaginator::startPage()
{
    ++pageIndex_;
    current_.bands.clear();
    y_ = 0.0;
    detailsOnPage_ = 0;
    column_ = 0;
    if (pageIndex_ == 0) {
        for (int band : bandsOf(BandKind::Title))
            place(band, y_);
    }
    for (int band : bandsOf(BandKind::ColumnHeader))
        place(band, y_);
}

void ReportPaginator::finishPage()
{
    double top = pageSetup_.bodyHeightMm() - heightOf(BandKind::PageFooter);
    for (int band : bandsOf(BandKind::PageFooter)) {
        place(band, top);
        top += bands_[size_t(band)].heightMm;
    }
    stopped_ = !sink_(current_, pageIndex_);
}

void ReportPaginator::placeDetails()
{
    const int columns = std::max(1, pageSetup_.columns);
    const double pitch = pageSetup_.columnWidthMm() + pageSetup_.columnSpaceMm;
    for (int band : bandsOf(BandKind::Detail)) {
        const double height = bands_[size_t(band)].heightMm;
        // A new row opens below the tallest band so far; later columns share its top.
        if (column_ == 0) {
            // A band taller than an empty page stays on that page rather than opening pages forever.
            if (!fits(height) && detailsOnPage_ > 0) {
                finishPage();
                if (stopped_)
                    return;
                startPage();
            }
            rowTop_ = y_;
        }
        place(band, rowTop_, column_ * pitch);
        y_ = std::max(y_, rowTop_ + height);
        ++detailsOnPage_;
        column_ = (column_ + 1) % columns;
    }
}

bool ReportPaginator::fits(double heightMm) const
{
    const double bottom = pageSetup_.bodyHeightMm() - heightOf(BandKind::PageFooter);
    return y_ + heightMm <= bottom + fitTolerance;
}

void ReportPaginator::place(int band, double topMm, double leftMm)
{
    const ReportBand& definition = bands_[size_t(band)];
    if (definition.kind != BandKind::PageFooter)
        y_ = topMm + definition.heightMm;
    if (countOnly_)
        return;
    PlacedBand placed;
    placed.band = band;
    placed.topMm = topMm;
    placed.leftMm = leftMm;
    for (const ReportItem& item : definition.items) {
        placed.texts << textOf(item);
        const bool field = item.kind == ItemKind::Field && !data_->eof();
        placed.shortTexts << (field ? data_->shortFieldText(item.text) : QString());
    }
    current_.bands.push_back(std::move(placed));
}

double ReportPaginator::heightOf(BandKind kind) const
{
    double height = 0.0;
    for (int band : bandsOf(kind))
        height += bands_[size_t(band)].heightMm;
    return height;
}

const std::vector<int>& ReportPaginator::bandsOf(BandKind kind) const
{
    return bandsByKind_[int(kind)];
}

QString ReportPaginator::textOf(const ReportItem& item) const
{
    switch (item.kind) {
    case ItemKind::Label:
        return item.text;
    case ItemKind::Field:
    case ItemKind::FieldPicture:
        return data_->eof() ? QString() : data_->fieldText(item.text);
    case ItemKind::ReportTitle:
        return title_;
    case ItemKind::PageNumber:
        return item.text + QString::number(pageIndex_ + 1);
    case ItemKind::DetailCount:
        return item.text + QString::number(detailCount_);
    }
    return QString();
}

} // namespace report
