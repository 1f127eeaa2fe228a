// Labels: a catalogue no other test uses, printed on every sheet, read back by a real barcode
// reader from 300 dpi pictures; every word lies inside its label; the first position, the
// range, the location line and the command's arguments.
#include "PdfTools.h"
#include "common/TempProgramFolder.h"

#include "engine/Database.h"
#include "engine/Field.h"
#include "engine/Table.h"
#include "output/LabelCommand.h"
#include "output/LabelReport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// Titles of every length, with Danish letters and words longer than a label.
QString titleFor(QRandomGenerator& random, int i)
{
    static const QStringList words = {QStringLiteral("Æbleskiver"), QStringLiteral("på"), QStringLiteral("Øresund"),
                                      QStringLiteral("Skibsbygningsingeniørassistentuddannelsen"), QStringLiteral("og"),
                                      QStringLiteral("Gåsetårnet"), QStringLiteral("WWWWWWWW"), QStringLiteral("i")};
    QStringList title{QStringLiteral("Film %1").arg(i)};
    const int count = int(random.bounded(12));
    for (int w = 0; w < count; ++w)
        title << words.at(int(random.bounded(words.size())));
    return title.join(QLatin1Char(' '));
}

class Labels : public ::testing::Test {
protected:
    TempProgramFolder folder;
    engine::Database db{folder.dataDir()};
    engine::Table video{db, QStringLiteral("Video.db")};
    QTemporaryDir out;
    QStringList numbers;

    void SetUp() override
    {
        video.Open();
        QRandomGenerator random(2612);
        // 30 tapes: two sheets of 3 x 8, with a copy number and one past 9999.
        for (int i = 1; i <= 30; ++i) {
            const QString nr = i == 30 ? QStringLiteral("10000-00")
                                       : QStringLiteral("%1-%2").arg(i * 37 % 9999, 4, 10, QLatin1Char('0')).arg(i % 3, 2, 10, QLatin1Char('0'));
            video.Insert();
            video.FieldByName(QStringLiteral("TapeNr")).SetAsString(nr);
            video.FieldByName(QStringLiteral("Titel")).SetAsString(titleFor(random, i));
            video.Post();
            numbers << nr;
        }
        numbers.sort();
    }

    QString pdfFor(const output::LabelSheet& sheet, int first = 1)
    {
        const QString path = out.filePath(QLatin1String(sheet.name) + QStringLiteral(".pdf"));
        output::TLabelReport labels(video, sheet, first);
        EXPECT_GT(labels.writePdf(path), 0);
        return path;
    }
};

QStringList decodedBarcodes(const QString& pdf, const QString& shotsFolder)
{
    const QString prefix = QFileInfo(pdf).absolutePath() + QStringLiteral("/page");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"), pdf, prefix});
    QStringList codes;
    for (const QFileInfo& page : QDir(QFileInfo(pdf).absolutePath()).entryInfoList({QStringLiteral("page*.png")})) {
        QProcess zbar;
        zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), page.filePath()});
        zbar.waitForFinished(60000);
        codes << QString::fromUtf8(zbar.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!shotsFolder.isEmpty())
            QFile::copy(page.filePath(), shotsFolder + QLatin1Char('/') + QFileInfo(pdf).baseName() + page.fileName());
        QFile::remove(page.filePath());
    }
    codes.sort();
    return codes;
}

} // namespace

TEST_F(Labels, EveryLabelOfEverySheetReadsBackAsItsTapeNumber)
{
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "zbarimg (Debian zbar-tools) or pdftoppm (poppler-utils) is not installed";
    const QString shots = qEnvironmentVariable("SPK_LABEL_SHOTS");
    for (const output::LabelSheet& sheet : output::labelSheets())
        EXPECT_EQ(decodedBarcodes(pdfFor(sheet), shots), numbers) << sheet.name;
}

TEST_F(Labels, EveryWordLiesInsideOneLabel)
{
    for (const output::LabelSheet& sheet : output::labelSheets()) {
        const QList<PdfWord> words = pdfWords(pdfFor(sheet));
        ASSERT_FALSE(words.isEmpty()) << sheet.name;
        const report::PageSetup page = sheet.pageSetup();
        for (const PdfWord& word : words) {
            const int column = int((word.xMin - page.marginLeft) / (sheet.labelWidthMm + sheet.columnSpaceMm));
            const int row = int((word.yMin - page.marginTop) / sheet.labelHeightMm);
            const QRectF label(page.marginLeft + column * (sheet.labelWidthMm + sheet.columnSpaceMm),
                               page.marginTop + row * sheet.labelHeightMm, sheet.labelWidthMm, sheet.labelHeightMm);
            const QRectF box(QPointF(word.xMin, word.yMin), QPointF(word.xMax, word.yMax));
            EXPECT_TRUE(column < sheet.columns && row < sheet.rows && label.contains(box))
                << sheet.name << " \"" << word.text.toStdString() << "\" at " << word.xMin << "," << word.yMin << " - "
                << word.xMax << "," << word.yMax;
        }
    }
}

TEST_F(Labels, TheFirstLabelGoesWhereTheSheetIsStillFree)
{
    const output::LabelSheet& sheet = *output::labelSheetNamed(QStringLiteral("3x8"));
    output::TLabelReport labels(video, sheet, 5);
    const report::ReportDocument doc = labels.layout();
    ASSERT_EQ(doc.pageCount(), 2) << "4 free places + 30 tapes: 34 labels";
    const report::PlacedBand& first = doc.pages[0].bands.at(4);
    EXPECT_EQ(first.texts.value(0), QStringLiteral("0037-01")) << "first tape in number order";
    EXPECT_DOUBLE_EQ(first.leftMm, 70.0);
    EXPECT_DOUBLE_EQ(first.topMm, 37.0);
    EXPECT_TRUE(doc.pages[0].bands.at(3).texts.value(0).isEmpty());
}

TEST(LabelLocation, PrintsTheLocationWhenTheCatalogueHasTheField)
{
    TempProgramFolder folder; // a new catalogue holds the field from its first schema step on
    engine::Database db(folder.dataDir());
    engine::Table video(db, QStringLiteral("Video.db"));
    video.Open();
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    video.FieldByName(QStringLiteral("Placering")).SetAsString(QStringLiteral("Reol 3, kasse 2"));
    video.Post();
    for (const output::LabelSheet& sheet : output::labelSheets()) {
        const report::ReportDocument doc = output::TLabelReport(video, sheet).layout();
        ASSERT_EQ(doc.pageCount(), 1);
        EXPECT_TRUE(doc.pages[0].bands.at(0).texts.contains(QStringLiteral("Reol 3, kasse 2"))) << sheet.name;
    }
}

struct ArgumentCase {
    QStringList arguments;
    const char* problem; ///< part of the message; nullptr: accepted
};

TEST(LabelArguments, AreCheckedAndNamed)
{
    const auto q = [](const char* text) { return QString::fromLatin1(text); };
    const ArgumentCase cases[] = {
        {{q("l.pdf"), q("--from"), q("12"), q("--to"), q("20-01"), q("--sheet"), q("VHS"), q("--first"), q("15")}, nullptr},
        {{}, "needs a file name"},
        {{q("l.pdf"), q("--sheet"), q("4x4")}, "unknown sheet \"4x4\" (sheets: 3x8, 2x7, vhs)"},
        {{q("l.pdf"), q("--from"), q("abc")}, "--from needs a tape number, not \"abc\""},
        {{q("l.pdf"), q("--first"), q("25")}, "the sheet 3x8 holds 24 labels"},
        {{q("l.pdf"), q("--first")}, "--first needs a value"},
        {{q("l.pdf"), q("--colour"), q("red")}, "unknown option \"--colour\""},
    };
    for (const ArgumentCase& c : cases) {
        QString problem;
        const bool accepted = output::parseLabelArguments(c.arguments, &problem).has_value();
        EXPECT_EQ(accepted, c.problem == nullptr) << c.arguments.join(QLatin1Char(' ')).toStdString();
        if (c.problem) {
            EXPECT_TRUE(problem.contains(QString::fromUtf8(c.problem))) << problem.toStdString();
        }
    }
}

struct RangeCase {
    const char* from;
    const char* to;
    const char* tape;
    bool inside;
};

TEST(TapeRange, BoundsByNumberThenCopy)
{
    const RangeCase cases[] = {
        {"12", "", "0012-00", true},     {"12", "", "0011-05", false},   {"", "12", "0012-07", true},
        {"", "12-01", "0012-02", false}, {"12-01", "", "0012-00", false}, {"9", "10", "10000-00", false},
        {"9999", "", "10000-00", true},  {"1", "", "Ekstra", false},     {"", "", "Ekstra", true},
    };
    for (const RangeCase& c : cases) {
        const output::TapeRange range{QString::fromLatin1(c.from), QString::fromLatin1(c.to)};
        EXPECT_EQ(range.contains(QString::fromLatin1(c.tape)), c.inside) << c.from << ".." << c.to << " " << c.tape;
    }
}
