// The report written as PDF, read back with poppler's tools: pages, footers, clipped texts,
// fonts and where items land on the paper.
#include "PdfTools.h"
#include "ReportFixtures.h"

#include "core/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;
using namespace testing_support;

namespace {

class ReportPdf : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("liste.pdf"));

    int write(int records, const QString& title = QStringLiteral("Spolarkiv"))
    {
        MemoryProvider data(MemoryProvider::numbered(records));
        return makeListReport(&data, title).writePdf(pdf);
    }

    // The lowest occurrence of text on the page (a footer's number also occurs in the details).
    const PdfWord* findWord(const QList<PdfWord>& words, int page, const QString& text)
    {
        const PdfWord* found = nullptr;
        for (const PdfWord& w : words) {
            if (w.page == page && w.text == text && (!found || w.yMin > found->yMin))
                found = &w;
        }
        return found;
    }
};

TEST_F(ReportPdf, NoRecordsWriteNoFileAndLeaveAnExistingOneAlone)
{
    EXPECT_EQ(write(0), 0);
    EXPECT_FALSE(QFile::exists(pdf));

    ASSERT_EQ(write(1), 1);
    const QByteArray before = [&] { QFile f(pdf); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    EXPECT_EQ(write(0), 0);
    QFile after(pdf);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

TEST_F(ReportPdf, TextLongerThanItsBoxLeavesItsTailOut)
{
    std::vector<MemoryProvider::Record> records{
        {{QStringLiteral("Nr"), QStringLiteral("0001-00")},
         {QStringLiteral("Titel"),
          QStringLiteral("Den lange titel om alt det der skete i sommerferien dengang vi var børn Haleordet")}}};
    MemoryProvider data(records);
    ASSERT_EQ(makeListReport(&data).writePdf(pdf), 1);
    const QString text = pdfPages(pdf).join(QString());
    EXPECT_TRUE(text.contains(QStringLiteral("Den lange titel")));
    EXPECT_FALSE(text.contains(QStringLiteral("Haleordet")));
    for (const PdfWord& word : pdfWords(pdf)) {
        if (word.yMin > 29 && word.yMin < 36) { // the detail line
            EXPECT_LE(word.xMax, 15 + 23.28 + 69.06 + 0.3) << qPrintable(word.text);
        }
    }
}

TEST_F(ReportPdf, ItemsLandAtTheirMillimetres)
{
    ASSERT_EQ(write(60), 3);
    const QList<PdfWord> words = pdfWords(pdf);
    // Left edges: left margin 15 mm plus the item's left; tops: margin, band, item.
    const PdfWord* count = findWord(words, 2, QStringLiteral("52"));
    ASSERT_NE(count, nullptr);
    EXPECT_NEAR(count->xMin, 15 + 23.28, 0.6);
    EXPECT_NEAR(count->yMin, 10 + 190 - 6.35, 1.0);
    const PdfWord* label = findWord(words, 1, QStringLiteral("Båndnr."));
    ASSERT_NE(label, nullptr);
    EXPECT_NEAR(label->xMin, 15 + 4.23, 0.6);
    EXPECT_NEAR(label->yMin, 10 + 13.49 + 0.79, 1.0);
    // "Side 3" is right-aligned: it ends at the right edge of its box.
    const PdfWord* pageNumber = findWord(words, 3, QStringLiteral("3"));
    ASSERT_NE(pageNumber, nullptr);
    EXPECT_NEAR(pageNumber->xMax, 15 + 247.39 + 20.11, 0.6);
    // The title is centred on the 272 mm band.
    const PdfWord* title = findWord(words, 1, QStringLiteral("Spolarkiv"));
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR((title->xMin + title->xMax) / 2, 15 + 272.0 / 2, 1.0);
}

TEST_F(ReportPdf, ArialIsPrintedWithLiberationSans)
{
    ASSERT_EQ(write(2), 1);
    const QString fonts = pdfFonts(pdf);
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans"))) << qPrintable(fonts);
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans-Bold"))) << qPrintable(fonts);
}

TEST_F(ReportPdf, UnwritableTargetThrowsAndWritesNothing)
{
    // A path below a regular file cannot be created, even as root.
    QFile blocker(dir.filePath(QStringLiteral("fil")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    pdf = dir.filePath(QStringLiteral("fil/liste.pdf"));
    EXPECT_THROW(write(3), core::EInOutError);
    // A directory in the way of the file: the finished PDF cannot replace it.
    pdf = dir.filePath(QStringLiteral("mappe"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("mappe")));
    EXPECT_THROW(write(3), core::EInOutError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(QStringLiteral("fil")));
}

} // namespace
