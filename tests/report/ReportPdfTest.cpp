// The report written as PDF, read back with poppler's tools: pages, footers, clipped texts,
// fonts and where items land on the paper.
#include "PdfTools.h"
#include "ReportFixtures.h"

#include "common/FolderSnapshot.h"
#include "common/TinyDisk.h"
#include "core/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace report;
using namespace testing_support;

namespace {

using testing_support::bytesOf;

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

TEST_F(ReportPdf, AFullDiskFailsAndKeepsTheOldFileWhole)
{
    TinyDisk disk(192);
    if (!disk.mounted())
        GTEST_SKIP() << "no small disk can be mounted here";
    pdf = disk.file(QStringLiteral("liste.pdf"));
    ASSERT_EQ(write(1), 1);
    const QByteArray before = bytesOf(pdf);
    const struct {
        const char* name;
        bool fillFirst;
        int records;
    } cases[] = {
        {"the disk fills while writing", false, 4000},
        {"no byte free", true, 1},
    };
    for (const auto& c : cases) {
        if (c.fillFirst)
            disk.fill();
        try {
            write(c.records);
            ADD_FAILURE() << c.name << ": written";
        } catch (const core::EInOutError& e) {
            EXPECT_TRUE(e.message().endsWith(QStringLiteral("kan ikke skrives. Der er ikke mere plads på disken")))
                << qPrintable(e.message());
        }
        EXPECT_EQ(bytesOf(pdf), before) << c.name;
        QStringList left{QStringLiteral("liste.pdf")};
        if (c.fillFirst)
            left.prepend(QStringLiteral(".filler"));
        EXPECT_EQ(QDir(disk.file(QString())).entryList(QDir::Files | QDir::Hidden | QDir::System), left) << c.name;
    }
    disk.release();
    EXPECT_EQ(write(2), 1) << "room again: the next run works";
}

TEST_F(ReportPdf, OnlyARegularFileIsReplacedAndALinkToOneIsWrittenThrough)
{
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString folder = dir.filePath(QStringLiteral("mappe"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString linkToFifo = dir.filePath(QStringLiteral("pipe.pdf"));
    ASSERT_TRUE(QFile::link(fifo, linkToFifo));
    for (const QString& target : {fifo, linkToFifo, folder}) {
        pdf = target;
        EXPECT_THROW(write(1), core::EInOutError) << qPrintable(target);
    }
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe is still a pipe";
    EXPECT_TRUE(QFileInfo(linkToFifo).isSymLink());
    EXPECT_TRUE(QFileInfo(folder).isDir());

    const QString real = dir.filePath(QStringLiteral("real.pdf"));
    ASSERT_TRUE(QFile(real).open(QIODevice::WriteOnly));
    const QString link = dir.filePath(QStringLiteral("link.pdf"));
    ASSERT_TRUE(QFile::link(real, link));
    pdf = link;
    ASSERT_EQ(write(1), 1);
    EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link stays a link";
    EXPECT_TRUE(bytesOf(real).startsWith("%PDF"));
}

TEST_F(ReportPdf, ANewFileGetsTheUsersUsualMode)
{
    for (const mode_t mask : {mode_t(022), mode_t(027)}) {
        const mode_t old = umask(mask);
        pdf = dir.filePath(QStringLiteral("mode%1.pdf").arg(mask, 0, 8));
        const int pages = write(1);
        umask(old);
        ASSERT_EQ(pages, 1);
        struct stat info {};
        ASSERT_EQ(stat(QFile::encodeName(pdf).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << std::oct << mask;
    }
}

} // namespace
