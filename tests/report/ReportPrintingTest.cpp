// Printing on the default printer: no printer, a printer (here one that writes a PDF file),
// cancelling from the progress window.
#include "PdfTools.h"
#include "ReportFixtures.h"

#include "common/TinyDisk.h"
#include "core/Errors.h"
#include "report/DefaultPrinter.h"
#include "report/PrintProgressDialog.h"
#include "report/ReportPrinting.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;
using namespace testing_support;

namespace {

/// The progress window on screen, or nullptr.
QProgressDialog* progressWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QProgressDialog*>(w); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

class Printing : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString printed = dir.filePath(QStringLiteral("printer.pdf"));
    int printersOpened = 0;

    PrinterFactory pdfPrinter()
    {
        return [this] {
            ++printersOpened;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(printed);
            return printer;
        };
    }
};

TEST_F(Printing, WithoutAPrinterNothingHappensAndTheDataIsNotRead)
{
    ScopedPrinterFactory none([] { return std::unique_ptr<QPrinter>(); });
    MemoryProvider data(MemoryProvider::numbered(5));
    Report r = makeListReport(&data);
    EXPECT_FALSE(r.print(nullptr));
    EXPECT_EQ(data.firstCalls, 0);
    EXPECT_FALSE(printToDefaultPrinter(r.layout(), nullptr));
    EXPECT_EQ(openDefaultPrinter(), nullptr);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(Printing, DefaultPrinterGetsEveryPageWithReportSettings)
{
    ScopedPrinterFactory printer(pdfPrinter());
    MemoryProvider data(MemoryProvider::numbered(60));
    EXPECT_TRUE(makeListReport(&data).print(nullptr));
    EXPECT_EQ(printersOpened, 1);
    EXPECT_EQ(pdfPageCount(printed), 3);
    EXPECT_TRUE(pdfPages(printed).value(2).contains(QStringLiteral("Side 3")));

    const std::unique_ptr<QPrinter> settings = openDefaultPrinter();
    EXPECT_EQ(settings->copyCount(), 1);
    EXPECT_EQ(settings->printRange(), QPrinter::AllPages);
    EXPECT_EQ(settings->duplex(), QPrinter::DuplexNone);
}

TEST_F(Printing, EmptyReportSendsNothingToThePrinter)
{
    ScopedPrinterFactory printer(pdfPrinter());
    MemoryProvider empty;
    EXPECT_FALSE(makeListReport(&empty).print(nullptr));
    EXPECT_FALSE(QFile::exists(printed));
}

TEST_F(Printing, CancelStopsBeforeTheNextPage)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    MemoryProvider data(MemoryProvider::numbered(60));
    std::vector<int> asked;
    const bool done = paintDocument(makeListReport(&data).layout(), printer, [&](int page, int count) {
        EXPECT_EQ(count, 3);
        asked.push_back(page);
        return page < 1;
    });
    EXPECT_FALSE(done);
    EXPECT_EQ(asked, std::vector<int>({0, 1}));
}

TEST_F(Printing, APrinterWritingAFileOnAFullDiskFailsAndKeepsTheOldFile)
{
    testing_support::TinyDisk disk(192);
    if (!disk.mounted())
        GTEST_SKIP() << "no small disk can be mounted here";
    printed = disk.file(QStringLiteral("printer.pdf"));
    ScopedPrinterFactory printer(pdfPrinter());
    MemoryProvider few(MemoryProvider::numbered(2));
    ASSERT_TRUE(makeListReport(&few).print(nullptr));
    QFile file(printed);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    MemoryProvider many(MemoryProvider::numbered(4000));
    EXPECT_THROW(makeListReport(&many).print(nullptr), core::EInOutError);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(QDir(disk.file(QString())).entryList(QDir::Files | QDir::Hidden), QStringList(QStringLiteral("printer.pdf")));
}

TEST_F(Printing, CancellingAPrinterWritingAFileKeepsTheOldFile)
{
    ScopedPrinterFactory printer(pdfPrinter());
    MemoryProvider few(MemoryProvider::numbered(2));
    ASSERT_TRUE(makeListReport(&few).print(nullptr));
    const int pagesBefore = pdfPageCount(printed);
    MemoryProvider many(MemoryProvider::numbered(60));
    EXPECT_FALSE(writePdfFile(makeListReport(&many).layout(), printed, QString(), [](int page, int) { return page < 2; }));
    EXPECT_EQ(pdfPageCount(printed), pagesBefore);
}

TEST_F(Printing, CancelInTheProgressWindowStopsReadingAndKeepsTheOldFile)
{
    ScopedPrinterFactory printer(pdfPrinter());
    MemoryProvider few(MemoryProvider::numbered(2));
    ASSERT_TRUE(makeListReport(&few).print(nullptr));
    const QStringList before = pdfPages(printed);

    MemoryProvider many(MemoryProvider::numbered(60));
    QString shown;
    many.onRead = [&](int record) {
        // The user cancels while the second page is being laid out (fields are read one by one).
        if (record != 30 || !shown.isEmpty())
            return;
        QProgressDialog* window = progressWindow();
        ASSERT_NE(window, nullptr);
        shown = window->labelText();
        window->cancel();
    };
    EXPECT_FALSE(makeListReport(&many).print(nullptr));
    EXPECT_EQ(shown, QStringLiteral("Udskriver side 1 af 3"));
    EXPECT_LT(many.position(), 60u) << "the pages after the cancel are not read";
    EXPECT_EQ(pdfPages(printed), before);
    EXPECT_EQ(progressWindow(), nullptr);
}

TEST_F(Printing, PagesAreWrittenWhileTheDataIsRead)
{
    MemoryProvider data(MemoryProvider::numbered(60));
    std::vector<size_t> readUpTo;
    LaidOutPages source = makeListReport(&data).pages();
    EXPECT_TRUE(writePdfFile(source, printed, QString(), [&](int, int) {
        readUpTo.push_back(data.position());
        return true;
    }));
    EXPECT_EQ(readUpTo, std::vector<size_t>({25, 52, 60}));
    EXPECT_EQ(pdfPageCount(printed), 3);
    EXPECT_TRUE(pdfPages(printed).value(2).contains(QStringLiteral("Bånd i alt: 60")));
}

TEST(PrintProgress, CountsFirstThenShowsPages)
{
    PrintProgressDialog progress(nullptr, 0);
    EXPECT_EQ(progress.dialog()->labelText(), QStringLiteral("Tæller sider …"));
    EXPECT_TRUE(progress.poll());
    progress.setPageCount(4);
    EXPECT_TRUE(progress.advance(0));
    EXPECT_EQ(progress.dialog()->labelText(), QStringLiteral("Udskriver side 1 af 4"));
    progress.dialog()->cancel();
    EXPECT_FALSE(progress.poll());
}

TEST(PrintProgress, ShowsPagesAndReportsCancel)
{
    PrintProgressDialog progress(nullptr, 3);
    ASSERT_NE(progress.dialog(), nullptr);
    EXPECT_TRUE(progress.dialog()->isVisible());
    EXPECT_TRUE(progress.advance(0));
    EXPECT_TRUE(progress.advance(1));
    EXPECT_EQ(progress.dialog()->labelText(), QStringLiteral("Udskriver side 2 af 3"));
    progress.dialog()->cancel();
    EXPECT_FALSE(progress.advance(2));
}

} // namespace
