// The text-file reader: encodings and separators found by looking, quoting, line numbers, and
// files that are not what they claim to be.
#include "core/Errors.h"
#include "import/CsvReader.h"
#include "import/ImportError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using import::CsvReader;
using import::TextEncoding;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("in.csv"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

// Each record as its fields joined by '|', or "!line: problem".
QStringList readAll(CsvReader& reader)
{
    QStringList records;
    import::CsvRecord record;
    while (reader.next(record))
        records << (record.problem.isEmpty() ? QStringLiteral("%1:%2").arg(record.line).arg(record.fields.join(QLatin1Char('|')))
                                             : QStringLiteral("!%1: %2").arg(record.line).arg(record.problem));
    return records;
}

QByteArray utf16(const QString& text, bool littleEndian)
{
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes += littleEndian ? QByteArray{&low, 1} + QByteArray{&high, 1} : QByteArray{&high, 1} + QByteArray{&low, 1};
    }
    return bytes;
}

struct ReadCase {
    const char* name;
    QByteArray bytes;
    char separator;
    TextEncoding encoding;
    QStringList records;
};

class Reading : public ::testing::TestWithParam<ReadCase> {};

const QString sample = QString::fromUtf8("TapeNr;Titel\r\n0001-00;Blå øje\r\n");

const ReadCase readCases[] = {
    {"SemicolonUtf8", "TapeNr;Titel\r\n0001-00;Film\r\n", ';', TextEncoding::Utf8, {"1:TapeNr|Titel", "2:0001-00|Film"}},
    {"CommaAndLineFeeds", "TapeNr,Titel\n0001-00,Film\n", ',', TextEncoding::Utf8, {"1:TapeNr|Titel", "2:0001-00|Film"}},
    {"Tab", "TapeNr\tTitel,x\n0001-00\tFilm,y\n", '\t', TextEncoding::Utf8, {"1:TapeNr|Titel,x", "2:0001-00|Film,y"}},
    {"Utf8WithMark", "\xEF\xBB\xBFTapeNr;Titel\r\n0001-00;Bl\xC3\xA5 \xC3\xB8je\r\n", ';', TextEncoding::Utf8Bom,
     {"1:TapeNr|Titel", QString::fromUtf8("2:0001-00|Blå øje")}},
    {"Windows1252", "TapeNr;Titel\r\n0001-00;Bl\xE5 \xF8je \x80\r\n", ';', TextEncoding::Windows1252,
     {"1:TapeNr|Titel", QString::fromUtf8("2:0001-00|Blå øje €")}},
    {"Utf16LittleEndian", utf16(sample, true), ';', TextEncoding::Utf16LE, {"1:TapeNr|Titel", QString::fromUtf8("2:0001-00|Blå øje")}},
    {"Utf16BigEndian", utf16(sample, false), ';', TextEncoding::Utf16BE, {"1:TapeNr|Titel", QString::fromUtf8("2:0001-00|Blå øje")}},
    {"QuotesSeparatorsAndLineBreaksInside", "\"A\";\"B\"\r\n\"Say \"\"hi\"\"\";\"x;y\r\nz\"\r\n\"\";q\r\n", ';', TextEncoding::Utf8,
     {"1:A|B", "2:Say \"hi\"|x;y\r\nz", "4:|q"}},
    {"EmptyLinesPassedOverLinesCounted", "A;B\r\n\r\n\n1;2\r\n;\r\n", ';', TextEncoding::Utf8, {"1:A|B", "4:1|2", "5:|"}},
    {"LastLineWithoutLineEnd", "A;B\r\n1;2", ';', TextEncoding::Utf8, {"1:A|B", "2:1|2"}},
    {"QuoteInsideAPlainValueIsText", "A;B\r\n5\" tape;\"x\"y\r\n", ';', TextEncoding::Utf8, {"1:A|B", "2:5\" tape|xy"}},
    {"UnclosedQuoteRunsToTheEnd", "A;B\r\n1;\"open\r\n2;3\r\n", ';', TextEncoding::Utf8,
     {"1:A|B", QString::fromUtf8("!2: anførselstegnet lukkes ikke før filens slutning")}},
    {"NulCharacterRefusesItsRecordOnly", QByteArray("A;B\r\n1;x\0y\r\n2;z\r\n", 17), ';', TextEncoding::Utf8,
     {"1:A|B", "!2: linjen indeholder et NUL-tegn", "3:2|z"}},
};

TEST_P(Reading, GivesTheRecordsAndWhatItFound)
{
    QTemporaryDir dir;
    CsvReader reader(writeFile(dir, GetParam().bytes));
    EXPECT_EQ(reader.separator(), QLatin1Char(GetParam().separator));
    EXPECT_EQ(reader.encoding(), GetParam().encoding);
    EXPECT_EQ(readAll(reader), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(Cases, Reading, ::testing::ValuesIn(readCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(CsvReaderLimits, LongFieldsRecordsAndManyFieldsAreReportedAndReadingGoesOn)
{
    QTemporaryDir dir;
    import::CsvLimits limits;
    limits.longestField = 8;
    limits.longestRecord = 20;
    limits.mostFields = 3;
    CsvReader reader(writeFile(dir, "A;B\r\n123456789;x\r\n1234567;1234567;1234567\r\n1;2;3;4\r\nok;1\r\n"), limits);
    EXPECT_EQ(readAll(reader), (QStringList{"1:A|B", QString::fromUtf8("!2: et felt er længere end 8 tegn"),
                                            QString::fromUtf8("!3: posten er længere end 20 tegn"),
                                            QString::fromUtf8("!4: mere end 3 felter"), "5:ok|1"}));
}

TEST(CsvReaderLimits, ALineOfAHundredMegabytesIsOneRefusedRecordNotAHundredMegabytesHeld)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.csv"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("TapeNr;Titel\r\n0001-00;");
        const QByteArray block(1024 * 1024, 'x');
        for (int i = 0; i < 100; ++i)
            file.write(block);
        file.write("\r\n0002-00;Kort\r\n");
    }
    CsvReader reader(path);
    const QStringList records = readAll(reader);
    ASSERT_EQ(records.size(), 3);
    EXPECT_TRUE(records[1].startsWith(QStringLiteral("!2: et felt er længere end"))) << records[1].toStdString();
    EXPECT_EQ(records[2], QStringLiteral("3:0002-00|Kort"));
}

struct RefusedCase {
    const char* name;
    QByteArray bytes;
    const char* message;
};

class RefusedFile : public ::testing::TestWithParam<RefusedCase> {};

const RefusedCase refusedCases[] = {
    {"Empty", "", "er tom."},
    {"Picture", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 33) + QByteArray(200, '\0'),
     "er ikke en tekstfil med kolonner."},
    {"ZeroBytes", QByteArray(4096, '\0'), "er ikke en tekstfil med kolonner."},
};

TEST_P(RefusedFile, GivesAClearMessage)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, GetParam().bytes);
    try {
        CsvReader reader(path);
        FAIL() << "read";
    } catch (const import::EImportError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Filen \"%1\"").arg(path)) || e.message().startsWith(QStringLiteral("\"%1\"").arg(path)))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().endsWith(QString::fromUtf8(GetParam().message))) << e.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedFile, ::testing::ValuesIn(refusedCases),
                         [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(CsvReaderFiles, AFileOfTwoGigabytesIsRefusedWithItsSizeBeforeAnythingIsRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("TapeNr;Titel\r\n");
    ASSERT_TRUE(file.resize(2LL * 1024 * 1024 * 1024)); // sparse: no disk is used
    file.close();
    try {
        CsvReader reader(path);
        FAIL() << "read";
    } catch (const import::EImportError& e) {
        EXPECT_EQ(e.message(), QString::fromUtf8("Filen \"%1\" fylder 2048 MB; der kan højst indlæses 1024 MB.").arg(path));
    }
}

TEST(CsvReaderFiles, AMissingFileAndAFolderAreNamed)
{
    QTemporaryDir dir;
    EXPECT_THROW(
        {
            try {
                CsvReader reader(dir.filePath(QStringLiteral("none.csv")));
            } catch (const import::EImportError& e) {
                EXPECT_EQ(e.message(), QStringLiteral("Filen \"%1\" findes ikke.").arg(dir.filePath(QStringLiteral("none.csv"))));
                throw;
            }
        },
        import::EImportError);
    EXPECT_THROW(CsvReader reader(dir.path()), import::EImportError);
}

} // namespace
