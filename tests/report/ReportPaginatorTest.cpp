// Laying bands out on pages: how many detail lines fit, what the footers count, where bands go.
#include "ReportFixtures.h"

#include "core/Errors.h"
#include "report/ReportPaginator.h"

#include <gtest/gtest.h>

using namespace report;
using testing_support::MemoryProvider;
using testing_support::makeListReport;

namespace {

std::vector<const PlacedBand*> bandsOfKind(const ReportDocument& doc, int page, BandKind kind)
{
    std::vector<const PlacedBand*> found;
    for (const PlacedBand& placed : doc.pages.at(size_t(page)).bands) {
        if (doc.bands.at(size_t(placed.band)).kind == kind)
            found.push_back(&placed);
    }
    return found;
}

struct PaginationCase {
    int records;
    std::vector<int> detailsPerPage;
    std::vector<QString> footerCounts;
};

class PaginationTest : public ::testing::TestWithParam<PaginationCase> {};

TEST_P(PaginationTest, DetailLinesPerPageAndRunningCountInFooters)
{
    const PaginationCase& c = GetParam();
    MemoryProvider data(MemoryProvider::numbered(c.records));
    const ReportDocument doc = makeListReport(&data).layout();

    ASSERT_EQ(doc.pageCount(), int(c.detailsPerPage.size()));
    for (int page = 0; page < doc.pageCount(); ++page) {
        SCOPED_TRACE(page + 1);
        EXPECT_EQ(int(bandsOfKind(doc, page, BandKind::Detail).size()), c.detailsPerPage[size_t(page)]);
        const auto footers = bandsOfKind(doc, page, BandKind::PageFooter);
        ASSERT_EQ(footers.size(), 1u);
        EXPECT_EQ(footers[0]->texts, QStringList({QStringLiteral("Bånd i alt: "), c.footerCounts[size_t(page)],
                                                  QStringLiteral("Side %1").arg(page + 1)}));
    }
}

// 190 mm between the margins: the first page holds 25 lines of 6.35 mm below the title (13.49)
// and column header (6.09) and above the footer (6.35), every later page 27.
INSTANTIATE_TEST_SUITE_P(ListGeometry, PaginationTest,
                         ::testing::Values(PaginationCase{1, {1}, {"1"}},
                                           PaginationCase{25, {25}, {"25"}},
                                           PaginationCase{26, {25, 1}, {"25", "26"}},
                                           PaginationCase{52, {25, 27}, {"25", "52"}},
                                           PaginationCase{53, {25, 27, 1}, {"25", "52", "53"}},
                                           PaginationCase{60, {25, 27, 8}, {"25", "52", "60"}}));

TEST(Pagination, NoRecordsGiveNoPage)
{
    MemoryProvider empty;
    EXPECT_TRUE(makeListReport(&empty).layout().isEmpty());
    EXPECT_TRUE(makeListReport(nullptr).layout().isEmpty());
}

TEST(Pagination, TitleOnlyOnFirstPageHeaderOnEveryPageFooterAtTheBottom)
{
    MemoryProvider data(MemoryProvider::numbered(60));
    const ReportDocument doc = makeListReport(&data).layout();
    ASSERT_EQ(doc.pageCount(), 3);

    const auto title = bandsOfKind(doc, 0, BandKind::Title);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_DOUBLE_EQ(title[0]->topMm, 0.0);
    EXPECT_EQ(title[0]->texts, QStringList(QStringLiteral("Spolarkiv")));
    EXPECT_DOUBLE_EQ(bandsOfKind(doc, 0, BandKind::ColumnHeader).at(0)->topMm, 13.49);
    EXPECT_NEAR(bandsOfKind(doc, 0, BandKind::Detail).at(0)->topMm, 19.58, 1e-9);
    for (int page = 1; page < doc.pageCount(); ++page) {
        EXPECT_TRUE(bandsOfKind(doc, page, BandKind::Title).empty());
        EXPECT_DOUBLE_EQ(bandsOfKind(doc, page, BandKind::ColumnHeader).at(0)->topMm, 0.0);
        EXPECT_NEAR(bandsOfKind(doc, page, BandKind::Detail).at(0)->topMm, 6.09, 1e-9);
    }
    for (int page = 0; page < doc.pageCount(); ++page) {
        const double footerTop = bandsOfKind(doc, page, BandKind::PageFooter).at(0)->topMm;
        EXPECT_NEAR(footerTop, 190.0 - 6.35, 1e-9);
        EXPECT_LE(bandsOfKind(doc, page, BandKind::Detail).back()->topMm + 6.35, footerTop + 1e-9);
    }
}

TEST(Pagination, DetailsFollowTheProvidersOrderAndReadItOnce)
{
    std::vector<MemoryProvider::Record> records;
    for (const char* title : {"Zorro", "Alien", "Mø"})
        records.push_back({{QStringLiteral("Titel"), QString::fromUtf8(title)}});
    MemoryProvider data(records);
    const ReportDocument doc = makeListReport(&data).layout();

    QStringList titles;
    for (const PlacedBand* placed : bandsOfKind(doc, 0, BandKind::Detail))
        titles << placed->texts.at(1);
    EXPECT_EQ(titles, QStringList({QStringLiteral("Zorro"), QStringLiteral("Alien"), QStringLiteral("Mø")}));
    EXPECT_EQ(data.firstCalls, 1);
    EXPECT_TRUE(data.eof());
    EXPECT_EQ(data.beginCalls, 1);
    EXPECT_EQ(data.endCalls, 1);
}

TEST(Pagination, ReadingEndsAlsoWhenARecordFails)
{
    MemoryProvider data(MemoryProvider::numbered(10));
    data.failAtRecord = 4;
    EXPECT_THROW(makeListReport(&data).layout(), core::EDatabaseError);
    EXPECT_EQ(data.beginCalls, 1);
    EXPECT_EQ(data.endCalls, 1);

    MemoryProvider empty;
    EXPECT_TRUE(makeListReport(&empty).layout().isEmpty());
    EXPECT_EQ(empty.endCalls, empty.beginCalls);
}

TEST(Pagination, DetailTallerThanAPageTakesOnePageEachInsteadOfLoopingForever)
{
    MemoryProvider data(MemoryProvider::numbered(3));
    Report r = makeListReport(&data);
    ReportBand tall;
    tall.kind = BandKind::Detail;
    tall.heightMm = 500.0;
    ReportPaginator paginator(r.pageSetup(), {tall}, QString());
    EXPECT_EQ(paginator.run(&data).pageCount(), 3);
}

TEST(Pagination, CountAndPageNumberAlsoResolveInTheHeader)
{
    MemoryProvider data(MemoryProvider::numbered(30));
    Report r = makeListReport(&data);
    ReportBand header;
    header.kind = BandKind::ColumnHeader;
    header.heightMm = 10.0;
    header.add(ReportItem::make(ItemKind::PageNumber, QStringLiteral("p. "), QRectF(0, 0, 20, 5)));
    header.add(ReportItem::make(ItemKind::DetailCount, QStringLiteral("n="), QRectF(30, 0, 20, 5)));
    ReportBand detail;
    detail.kind = BandKind::Detail;
    detail.heightMm = 10.0;
    ReportPaginator paginator(r.pageSetup(), {header, detail}, QString());
    const ReportDocument doc = paginator.run(&data);
    ASSERT_EQ(doc.pageCount(), 2); // 18 lines of 10 mm below a 10 mm header on 190 mm
    EXPECT_EQ(doc.pages[1].bands.front().texts, QStringList({QStringLiteral("p. 2"), QStringLiteral("n=18")}));
}

// ---- page by page ----------------------------------------------------------------------------

TEST(PageByPage, HandsOutTheSamePagesInOrderAsEachIsComplete)
{
    MemoryProvider data(MemoryProvider::numbered(60));
    const ReportDocument whole = makeListReport(&data).layout();
    std::vector<int> indexes;
    std::vector<size_t> readUpTo;
    const bool done = makeListReport(&data).pages().run([&](const ReportPage& page, int index) {
        indexes.push_back(index);
        readUpTo.push_back(data.position());
        const ReportPage& same = whole.pages.at(size_t(index));
        EXPECT_EQ(page.bands.size(), same.bands.size());
        for (size_t b = 0; b < page.bands.size() && b < same.bands.size(); ++b)
            EXPECT_EQ(page.bands[b].texts, same.bands[b].texts) << "page " << index << " band " << b;
        return true;
    });
    EXPECT_TRUE(done);
    EXPECT_EQ(indexes, std::vector<int>({0, 1, 2}));
    // A page is handed out once the first record of the next one has been read, not at the end.
    EXPECT_EQ(readUpTo, std::vector<size_t>({25, 52, 60}));
}

TEST(PageByPage, StoppingStopsTheReading)
{
    MemoryProvider data(MemoryProvider::numbered(60));
    int pages = 0;
    EXPECT_FALSE(makeListReport(&data).pages().run([&](const ReportPage&, int) { return ++pages < 1; }));
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(data.position(), 25u);
    EXPECT_EQ(data.endCalls, data.beginCalls);
}

TEST(PageByPage, CountingReadsNoFieldAndGivesThePagesOfTheRun)
{
    for (const int records : {0, 1, 25, 26, 52, 53, 60}) {
        MemoryProvider data(MemoryProvider::numbered(records));
        Report r = makeListReport(&data);
        EXPECT_EQ(r.pages().countPages({}), r.layout().pageCount()) << records;
        data.fieldCalls = 0;
        r.pages().countPages({});
        EXPECT_EQ(data.fieldCalls, 0) << records;
    }
}

TEST(PageByPage, CountingAsksOncePerPageAndStopsWhenTold)
{
    MemoryProvider data(MemoryProvider::numbered(60));
    int asked = 0;
    EXPECT_EQ(makeListReport(&data).pages().countPages([&] { return ++asked < 2; }), -1);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(data.position(), 52u);
}

} // namespace
