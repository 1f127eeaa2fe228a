// The tape list report over a real Video table: its design, its pages, the table's order and
// filter, the cursor it leaves, and printing with and without a printer.
#include "PdfTools.h"
#include "common/TempProgramFolder.h"

#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "output/QRListForm.h"
#include "report/DefaultPrinter.h"
#include "report/ReportPreview.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;
using namespace testing_support;

namespace {

struct Tape {
    QString nr, titel, kategori;
};

class ListReport : public ::testing::Test {
protected:
    TempProgramFolder folder;
    engine::Database db{folder.dataDir()};
    engine::Table video{db, QStringLiteral("Video.db")};
    QTemporaryDir out;
    QString pdf = out.filePath(QStringLiteral("liste.pdf"));

    void SetUp() override { video.Open(); }

    void add(const Tape& tape)
    {
        video.Insert();
        video.FieldByName(QStringLiteral("TapeNr")).SetAsString(tape.nr);
        video.FieldByName(QStringLiteral("Titel")).SetAsString(tape.titel);
        video.FieldByName(QStringLiteral("Kategori")).SetAsString(tape.kategori);
        video.Post();
    }

    void addNumbered(int count)
    {
        for (int i = 1; i <= count; ++i)
            add({QStringLiteral("%1-00").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("Film %1").arg(i),
                 QStringLiteral("Drama")});
    }

    QString currentNr() const { return video.FieldByName(QStringLiteral("TapeNr")).AsString(); }
};

// ---- design -------------------------------------------------------------------------------

struct ColumnCase {
    double left;
    double width;
    const char* caption;
    const char* field;
};

const ColumnCase columnCases[] = {
    {4.23, 17.20, "Båndnr.", "TapeNr"},   {23.28, 69.06, "Titel", "Titel"},
    {93.66, 32.01, "Kategori", "Kategori"}, {127.00, 17.20, "Start", "Start"},
    {146.05, 17.20, "Slut", "Slut"},       {165.10, 17.20, "Varighed", "Varighed"},
    {187.33, 19.05, "Optaget", "OptagetDato"}, {208.76, 35.98, "Optaget af", "Optagetaf"},
    {247.12, 17.20, "Type", "Type"},
};

const ReportBand& bandOf(const Report& r, BandKind kind)
{
    for (const ReportBand& band : r.bands()) {
        if (band.kind == kind)
            return band;
    }
    throw std::runtime_error("band missing");
}

TEST_F(ListReport, PageAndBandsAsDesigned)
{
    TQRListForm list(video);
    const PageSetup& page = list.report().pageSetup();
    EXPECT_EQ(page.paper, QPageSize::A4);
    EXPECT_EQ(page.orientation, QPageLayout::Landscape);
    EXPECT_DOUBLE_EQ(page.bandWidthMm(), 272.0);
    EXPECT_DOUBLE_EQ(page.bodyHeightMm(), 190.0);
    EXPECT_EQ(list.report().title(), QStringLiteral("Spolarkiv"));

    const ReportItem& title = bandOf(list.report(), BandKind::Title).items.at(0);
    EXPECT_DOUBLE_EQ(bandOf(list.report(), BandKind::Title).heightMm, 13.49);
    EXPECT_EQ(title.kind, ItemKind::ReportTitle);
    EXPECT_EQ(title.rectMm, QRectF(0, 1.06, 272, 8.73));
    EXPECT_EQ(title.alignment, Qt::AlignHCenter);
    EXPECT_EQ(title.font.family, QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(title.font.pointSize, 20.0);
    EXPECT_TRUE(title.font.bold);
    EXPECT_EQ(title.font.color, QColor(0, 0, 128));

    const ReportBand& header = bandOf(list.report(), BandKind::ColumnHeader);
    EXPECT_DOUBLE_EQ(header.heightMm, 6.09);
    EXPECT_EQ(header.box.background, QColor(192, 192, 192));
    EXPECT_EQ(header.box.frame, allSides());
    EXPECT_EQ(header.box.frameColor, QColor(Qt::black));
    const ReportBand& detail = bandOf(list.report(), BandKind::Detail);
    EXPECT_DOUBLE_EQ(detail.heightMm, 6.35);
    ASSERT_EQ(header.items.size(), std::size(columnCases));
    ASSERT_EQ(detail.items.size(), std::size(columnCases));
    for (size_t i = 0; i < std::size(columnCases); ++i) {
        const ColumnCase& c = columnCases[i];
        SCOPED_TRACE(c.field);
        const ReportItem& label = header.items[i];
        EXPECT_EQ(label.text, QString::fromUtf8(c.caption));
        EXPECT_DOUBLE_EQ(label.rectMm.left(), c.left);
        EXPECT_DOUBLE_EQ(label.rectMm.top(), 0.79);
        EXPECT_TRUE(label.font.bold);
        EXPECT_DOUBLE_EQ(label.font.pointSize, 10.0);
        const ReportItem& field = detail.items[i];
        EXPECT_EQ(field.kind, ItemKind::Field);
        EXPECT_EQ(field.text, QLatin1String(c.field));
        EXPECT_EQ(field.rectMm, QRectF(c.left, 0.79, c.width, 4.50));
        EXPECT_EQ(field.alignment, Qt::AlignLeft);
        EXPECT_FALSE(field.font.bold);
    }

    const ReportBand& footer = bandOf(list.report(), BandKind::PageFooter);
    EXPECT_DOUBLE_EQ(footer.heightMm, 6.35);
    ASSERT_EQ(footer.items.size(), 3u);
    EXPECT_EQ(footer.items[0].text, QStringLiteral("Bånd i alt: "));
    EXPECT_DOUBLE_EQ(footer.items[0].rectMm.left(), 4.23);
    EXPECT_EQ(footer.items[1].kind, ItemKind::DetailCount);
    EXPECT_DOUBLE_EQ(footer.items[1].rectMm.left(), 23.28);
    EXPECT_EQ(footer.items[2].kind, ItemKind::PageNumber);
    EXPECT_EQ(footer.items[2].text, QStringLiteral("Side "));
    EXPECT_EQ(footer.items[2].rectMm, QRectF(247.39, 1.06, 20.11, 4.50));
    EXPECT_EQ(footer.items[2].alignment, Qt::AlignRight);
}

// ---- pages --------------------------------------------------------------------------------

TEST_F(ListReport, SixtyTapesGiveThreePagesCountingToSixty)
{
    addNumbered(60);
    video.First();
    EXPECT_EQ(TQRListForm(video).writePdf(pdf), 3);
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 3);
    const QRegularExpression footer(QStringLiteral("Bånd i alt:\\s+(\\d+)\\s+Side (\\d+)"));
    const QStringList counts{QStringLiteral("25"), QStringLiteral("52"), QStringLiteral("60")};
    for (int i = 0; i < 3; ++i) {
        const QRegularExpressionMatch m = footer.match(pages[i]);
        ASSERT_TRUE(m.hasMatch()) << qPrintable(pages[i]);
        EXPECT_EQ(m.captured(1), counts[i]);
        EXPECT_EQ(m.captured(2), QString::number(i + 1));
    }
    EXPECT_TRUE(pages[0].contains(QStringLiteral("0025-00")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("0026-00")));
    EXPECT_TRUE(video.Eof());
    EXPECT_EQ(currentNr(), QStringLiteral("0060-00"));
}

// More tapes than the engine reads at once, so the last ones are read only as the report
// gets to them; another program deletes one before that.
TEST_F(ListReport, ATapeDeletedElsewhereMeanwhileIsLeftOutNotPrintedEmpty)
{
    db.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                           "INSERT INTO Video.Video(TapeNr, Titel) SELECT printf('%04d-00', i), 'Film ' || i FROM n"));
    video.Refresh();
    engine::Database other(folder.dataDir());
    engine::Table otherVideo(other, QStringLiteral("Video.db"));
    otherVideo.Open();
    other.exec(QStringLiteral("DELETE FROM Video.Video WHERE TapeNr = '0300-00'"));
    const int pages = TQRListForm(video).writePdf(pdf);
    const QStringList text = pdfPages(pdf);
    ASSERT_EQ(text.size(), pages);
    EXPECT_FALSE(text.join(QString()).contains(QStringLiteral("0300-00")));
    const QRegularExpression footer(QStringLiteral("Bånd i alt:\\s+(\\d+)"));
    EXPECT_EQ(footer.match(text.last()).captured(1), QStringLiteral("299")) << qPrintable(text.last());
}

TEST_F(ListReport, AnEmptyTableGivesAPdfOfHeadingsAndNoPageElsewhere)
{
    ScopedPrinterFactory printer([this] {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(out.filePath(QStringLiteral("printer.pdf")));
        return p;
    });
    TQRListForm list(video);
    EXPECT_EQ(list.writePdf(pdf), 1);
    EXPECT_TRUE(pdfPages(pdf).value(0).contains(QRegularExpression(QStringLiteral("Båndnr\\.\\s+Titel.*\\n\\s*Bånd i alt:\\s+0"))))
        << pdfPages(pdf).value(0).toStdString();
    EXPECT_FALSE(list.printToDefaultPrinter(nullptr));
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("printer.pdf"))));
    EXPECT_EQ(list.report().createPreview(nullptr), nullptr);
}

TEST_F(ListReport, FollowsTheTablesOrderAndFilter)
{
    add({QStringLiteral("0001-00"), QStringLiteral("Zorro"), QStringLiteral("Western")});
    add({QStringLiteral("0002-00"), QStringLiteral("Øen"), QStringLiteral("Drama")});
    add({QStringLiteral("0003-00"), QStringLiteral("Alien"), QStringLiteral("Science fiction")});
    add({QStringLiteral("0004-00"), QStringLiteral("Babettes gæstebud"), QStringLiteral("Drama")});
    add({QStringLiteral("0005-00"), QStringLiteral("Amadeus"), QStringLiteral("Drama")});
    video.SetIndexName(QStringLiteral("IndexTitel"));
    video.SetFilter(QStringLiteral("Kategori = 'Drama'"));
    video.SetFiltered(true);

    ASSERT_EQ(TQRListForm(video).writePdf(pdf), 1);
    const QString page = pdfPages(pdf).value(0);
    const int amadeus = page.indexOf(QStringLiteral("Amadeus"));
    const int babette = page.indexOf(QStringLiteral("Babettes"));
    const int oen = page.indexOf(QStringLiteral("Øen"));
    EXPECT_TRUE(amadeus >= 0 && amadeus < babette && babette < oen) << qPrintable(page);
    EXPECT_FALSE(page.contains(QStringLiteral("Zorro")));
    EXPECT_FALSE(page.contains(QStringLiteral("Alien")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("Bånd i alt:\\s+3\\b")).match(page).hasMatch());
    EXPECT_EQ(currentNr(), QStringLiteral("0002-00"));
}

TEST_F(ListReport, ALongTitleShowsOnlyWhatFitsItsBox)
{
    add({QStringLiteral("0001-00"),
         QStringLiteral("Historien om den lange sommer hvor alting skete på én gang i Gudhjem Slutordet"),
         QStringLiteral("Drama")});
    ASSERT_EQ(TQRListForm(video).writePdf(pdf), 1);
    const QString text = pdfPages(pdf).value(0);
    EXPECT_TRUE(text.contains(QStringLiteral("Historien om den lange")));
    EXPECT_FALSE(text.contains(QStringLiteral("Slutordet")));
    EXPECT_TRUE(text.contains(QStringLiteral("Drama"))); // the next column is untouched
}

TEST_F(ListReport, DatesPrintInTheShortDateFormat)
{
    add({QStringLiteral("0001-00"), QStringLiteral("Alien"), QStringLiteral("Drama")});
    video.Edit();
    video.FieldByName(QStringLiteral("OptagetDato")).SetValue(QStringLiteral("2001-05-17"));
    video.FieldByName(QStringLiteral("Optagetaf")).SetAsString(QStringLiteral("DR1"));
    video.Post();
    ASSERT_EQ(TQRListForm(video).writePdf(pdf), 1);
    const QString shown = video.FieldByName(QStringLiteral("OptagetDato")).AsString();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(pdfPages(pdf).value(0).contains(shown));
}

// One form per column: a date that would fit ("9 Sep 2003") follows the others into digits.
TEST_F(ListReport, ADateTooWideForItsBoxPrintsWholeInDigits)
{
    add({QStringLiteral("0001-00"), QStringLiteral("Alien"), QStringLiteral("Drama")});
    video.Edit();
    video.FieldByName(QStringLiteral("OptagetDato")).SetValue(QStringLiteral("2001-05-17"));
    video.Post();
    add({QStringLiteral("0002-00"), QStringLiteral("Brazil"), QStringLiteral("Drama")});
    video.Edit();
    video.FieldByName(QStringLiteral("OptagetDato")).SetValue(QStringLiteral("2003-09-09"));
    video.Post();
    const QLocale before;
    const struct {
        QLocale locale;
        bool digits;
    } cases[] = {
        {QLocale(QLocale::Danish, QLocale::Denmark), false},
        {QLocale::c(), true}, // "17 May 2001" is wider than the box
        {QLocale(QLocale::English, QLocale::UnitedStates), false},
    };
    for (const auto& c : cases) {
        QLocale::setDefault(c.locale);
        QStringList printed;
        for (const char* iso : {"2001-05-17", "2003-09-09"})
            printed << (c.digits ? QString::fromLatin1(iso) : video.FieldByName(QStringLiteral("OptagetDato")).displayText(QString::fromLatin1(iso)));
        ASSERT_EQ(TQRListForm(video).writePdf(pdf), 1);
        const QString page = pdfPages(pdf).value(0);
        EXPECT_TRUE(page.contains(printed[0]) && page.contains(printed[1])) << printed.join(' ').toStdString() << " in: " << page.toStdString();
    }
    QLocale::setDefault(before);
}

// ---- cursor, controls, printer ------------------------------------------------------------

class CountingLink : public engine::DataLink {
public:
    int changed = 0;
    int scrolled = 0;
    void dataSetChanged() override { ++changed; }
    void dataSetScrolled() override { ++scrolled; }
};

TEST_F(ListReport, BoundControlsStayQuietWhileTheReportReads)
{
    addNumbered(30);
    engine::DataSource source(&video);
    CountingLink link;
    link.setDataSource(&source);
    ASSERT_EQ(TQRListForm(video).writePdf(pdf), 2);
    EXPECT_EQ(link.scrolled, 0);
    EXPECT_EQ(link.changed, 1);
    EXPECT_FALSE(video.ControlsDisabled());
    link.setDataSource(nullptr);
}

TEST_F(ListReport, WithoutAPrinterPrintingDoesNothingButThePreviewWorks)
{
    addNumbered(30);
    video.First();
    ScopedPrinterFactory none([] { return std::unique_ptr<QPrinter>(); });
    TQRListForm list(video);
    EXPECT_FALSE(list.printToDefaultPrinter(nullptr));
    EXPECT_EQ(currentNr(), QStringLiteral("0001-00")); // not even read
    std::unique_ptr<ReportPreview> preview = list.report().createPreview(nullptr);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->pageCount(), 2);
    EXPECT_EQ(currentNr(), QStringLiteral("0030-00"));
}

TEST_F(ListReport, PrintingSendsEveryPageAndLeavesTheLastRecordCurrent)
{
    addNumbered(53);
    video.First();
    const QString printed = out.filePath(QStringLiteral("printer.pdf"));
    ScopedPrinterFactory printer([&] {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(printed);
        return p;
    });
    EXPECT_TRUE(TQRListForm(video).printToDefaultPrinter(nullptr));
    EXPECT_EQ(pdfPageCount(printed), 3);
    EXPECT_EQ(currentNr(), QStringLiteral("0053-00"));
}

} // namespace
