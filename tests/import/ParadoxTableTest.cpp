// The Paradox reader against tables the test writer builds byte for byte: values of every field
// type, the header layouts of each version, code pages, blobs and block chains.
#include "ParadoxTestSupport.h"

#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <limits>

using namespace paradoxtest;

namespace {

// One column of one type, a value per row: what is written and what the reader must return.
struct TypeCase {
    const char* what;
    FieldSpec field;
    QVector<QVariant> written;
    QVector<QVariant> expected;
};

} // namespace

// --- what the writer puts in the file --------------------------------------------------------

TEST(ParadoxWriterEncoding, NumbersAreBigEndianWithTheSignBitFlipped)
{
    EXPECT_EQ(flippedInt(1, 2), QByteArray("\x80\x01", 2));
    EXPECT_EQ(flippedInt(-1, 2), QByteArray("\x7F\xFF", 2));
    EXPECT_EQ(flippedInt(256, 4), QByteArray("\x80\x00\x01\x00", 4));
    EXPECT_EQ(flippedInt(-256, 4), QByteArray("\x7F\xFF\xFF\x00", 4));
    EXPECT_EQ(flippedInt(dayNumber(QDate(1996, 5, 4)), 4), QByteArray("\x80\x0B\x1E\xCF", 4));
    EXPECT_EQ(dayNumber(QDate(1, 1, 1)), 1);
    EXPECT_EQ(dayNumber(QDate(9999, 12, 31)), 3652059);
    EXPECT_EQ(flippedInt(QTime(0, 0).msecsSinceStartOfDay(), 4), QByteArray("\x80\x00\x00\x00", 4));
    EXPECT_EQ(flippedDouble(100.5), QByteArray("\xC0\x59\x20\x00\x00\x00\x00\x00", 8));
    EXPECT_EQ(flippedDouble(-100.5), QByteArray("\x3F\xA6\xDF\xFF\xFF\xFF\xFF\xFF", 8));
}

TEST(ParadoxWriterEncoding, BcdHoldsSignDecimalsAndNibbles)
{
    const QByteArray plus = bcdBytes(QStringLiteral("1.23"), 2);
    EXPECT_EQ(uchar(plus[0]), 0x82);
    EXPECT_EQ(plus.mid(15).toHex(), QByteArray("0123"));
    const QByteArray minus = bcdBytes(QStringLiteral("-1.23"), 2);
    EXPECT_EQ(uchar(minus[0]), 0x02);
    EXPECT_EQ(minus.mid(1, 2).toHex(), QByteArray("ffff"));
    EXPECT_EQ(minus.mid(15).toHex(), QByteArray("fedc"));
    const QByteArray allDecimals = bcdBytes(QStringLiteral("0.5"), 32);
    EXPECT_EQ(uchar(allDecimals[0]), 0xA0);
    EXPECT_EQ(allDecimals.mid(1).toHex(), QByteArray("50").leftJustified(32, '0'));
}

TEST(ParadoxWriterEncoding, DanishLettersHaveTheirCodePageBytes)
{
    const QString danish = u("æøåÆØÅ");
    EXPECT_EQ(encodeText(danish, 865), QByteArray("\x91\x9B\x86\x92\x9D\x8F"));
    EXPECT_EQ(encodeText(danish, 850), QByteArray("\x91\x9B\x86\x92\x9D\x8F"));
    EXPECT_EQ(encodeText(danish, 1252), QByteArray("\xE6\xF8\xE5\xC6\xD8\xC5"));
    EXPECT_EQ(encodeText(danish, 437), QByteArray("\x91?\x86\x92?\x8F"));
    EXPECT_EQ(encodeText(u("€"), 1252), QByteArray("\x80"));
}

TEST(ParadoxWriterEncoding, CodePageTablesDifferWhereTheFormatSays)
{
    QVector<int> diff437, diff850;
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (highChar(437, b) != highChar(865, b))
            diff437.append(b);
        if (highChar(850, b) != highChar(865, b))
            diff850.append(b);
    }
    EXPECT_EQ(diff437, (QVector<int>{0x9B, 0x9D, 0xAF}));
    EXPECT_EQ(diff850.size(), 46);
    EXPECT_TRUE(diff850.contains(0x9E) && diff850.contains(0xA9) && diff850.contains(0xAF));
    EXPECT_EQ(highChar(850, 0xAF), QChar(0xBB));
    EXPECT_TRUE(std::all_of(diff850.begin() + 3, diff850.end(), [](int b) { return b >= 0xB5; }));
}

TEST(ParadoxWriterEncoding, HeaderLayoutFollowsTheVersion)
{
    struct Case {
        int version, p, nameArea;
    } cases[] = {{3, 0x58, 79}, {4, 0x58, 79}, {9, 0x78, 79}, {11, 0x78, 79}, {12, 0x78, 261}};
    for (const Case& c : cases) {
        TableSpec s;
        s.versionId = c.version;
        s.fields = {{"Aa", ParadoxType::Alpha, 3}, {"Bb", ParadoxType::Short}};
        s.encryptionKey = 0x1234;
        const WrittenTable w = buildTable(s);
        const int names = c.p + 6 * 2 + 4 + c.nameArea;
        EXPECT_EQ(w.db.mid(names, 6), QByteArray("Aa\0Bb\0", 6)) << c.version;
        EXPECT_EQ(uchar(w.db[c.p]), 0x01) << c.version;
        EXPECT_EQ(uchar(w.db[0x39]), c.version);
        EXPECT_EQ(getU32(w.db, 0x25), c.version >= 5 ? 0xFF00FF00u : 0x1234u) << c.version;
        if (c.version >= 5) {
            EXPECT_EQ(getU32(w.db, 0x5C), 0x1234u);
            EXPECT_EQ(getU16(w.db, 0x6A), 1252);
        }
    }
}

// --- values ----------------------------------------------------------------------------------

TEST_F(ParadoxTableTest, EveryFieldTypeReadsItsValuesAndBlanks)
{
    const QDateTime stamp(QDate(2020, 2, 1), QTime(1, 0, 1));
    const QVector<TypeCase> cases = {
        {"alpha", {"V", ParadoxType::Alpha, 10},
         {QStringLiteral("Hej"), QStringLiteral("0123456789"), QVariant(), raw(QByteArray("AB\0CD", 5)), raw(QByteArray("\0XY", 3))},
         {QStringLiteral("Hej"), QStringLiteral("0123456789"), QVariant(), QStringLiteral("AB"), QVariant()}},
        {"short", {"V", ParadoxType::Short},
         {1, -1, 0, 32767, -32767, 256, QVariant()},
         {i64(1), i64(-1), i64(0), i64(32767), i64(-32767), i64(256), QVariant()}},
        {"long", {"V", ParadoxType::Long},
         {1, -256, 0, 2147483647, -2147483647, QVariant()},
         {i64(1), i64(-256), i64(0), i64(2147483647), i64(-2147483647), QVariant()}},
        {"autoincrement", {"V", ParadoxType::AutoIncrement}, {1, 44, QVariant()}, {i64(1), i64(44), QVariant()}},
        {"number", {"V", ParadoxType::Number},
         {100.5, -100.5, 0.0, 1e300, -2.5e-300, QVariant()},
         {100.5, -100.5, 0.0, 1e300, -2.5e-300, QVariant()}},
        {"currency", {"V", ParadoxType::Currency}, {3.5, -0.01, 0.0, QVariant()}, {3.5, -0.01, 0.0, QVariant()}},
        {"logical", {"V", ParadoxType::Logical}, {true, false, QVariant()}, {true, false, QVariant()}},
        {"date", {"V", ParadoxType::Date},
         {QDate(1996, 5, 4), QDate(1, 1, 1), QDate(9999, 12, 31), QDate(2000, 2, 29), QVariant()},
         {QDate(1996, 5, 4), QDate(1, 1, 1), QDate(9999, 12, 31), QDate(2000, 2, 29), QVariant()}},
        {"time", {"V", ParadoxType::Time},
         {QTime(0, 0), QTime(10, 0), QTime(23, 59, 59, 999), QVariant()},
         {QTime(0, 0), QTime(10, 0), QTime(23, 59, 59, 999), QVariant()}},
        {"timestamp", {"V", ParadoxType::Timestamp},
         {stamp, QDateTime(QDate(1996, 2, 2), QTime(0, 0)), QVariant()},
         {stamp, QDateTime(QDate(1996, 2, 2), QTime(0, 0)), QVariant()}},
        {"bcd 2 decimals", {"V", ParadoxType::Bcd, 0, 2},
         {QStringLiteral("1.23"), QStringLiteral("-1.23"), QStringLiteral("0"), QStringLiteral("12345.60"), QVariant()},
         {QStringLiteral("1.23"), QStringLiteral("-1.23"), QStringLiteral("0.00"), QStringLiteral("12345.60"), QVariant()}},
        // A negative value without decimals is left out: its sign byte would be 0x00, the blank mark.
        {"bcd no decimals", {"V", ParadoxType::Bcd, 0, 0},
         {QStringLiteral("1"), QStringLiteral("987654321"), QVariant()},
         {QStringLiteral("1"), QStringLiteral("987654321"), QVariant()}},
        {"bcd 5 decimals", {"V", ParadoxType::Bcd, 0, 5},
         {QStringLiteral("-0.00001"), QStringLiteral("-98765.4321"), QStringLiteral("3.14159")},
         {QStringLiteral("-0.00001"), QStringLiteral("-98765.43210"), QStringLiteral("3.14159")}},
    };
    for (const TypeCase& c : cases) {
        TableSpec s;
        s.name = QStringLiteral("T_%1").arg(QString::fromLatin1(c.what).replace(' ', '_'));
        s.fields = {{"Id", ParadoxType::Short}, c.field};
        for (int i = 0; i < c.written.size(); ++i)
            s.rows.append({i + 1, c.written[i]});
        const ReadResult r = readAll(write(s));
        ASSERT_EQ(r.records.size(), c.expected.size()) << c.what;
        for (int i = 0; i < c.expected.size(); ++i) {
            EXPECT_TRUE(sameValue(r.records[i].values.value(1), c.expected[i])) << c.what << " row " << i;
            EXPECT_TRUE(r.records[i].problems.isEmpty()) << c.what << " row " << i;
            EXPECT_EQ(r.records[i].number, i + 1) << c.what;
        }
    }
}

TEST_F(ParadoxTableTest, BcdStopsAtTheFirstJunkNibble)
{
    // 32 decimals: 0.122999999999999998 then nibbles BDE leaves past double precision.
    QByteArray bcd = bcdBytes(QStringLiteral("0.12299999999999999800000000000000"), 32);
    for (int nibble = 18; nibble < 32; ++nibble) {
        const int at = 1 + nibble / 2;
        bcd[at] = char(nibble % 2 == 0 ? (uchar(bcd[at]) & 0x0F) | 0xA0 : (uchar(bcd[at]) & 0xF0) | 0x0C);
    }
    TableSpec s;
    s.fields = {{"C", ParadoxType::Bcd, 0, 32}};
    s.rows = {{raw(bcd)}, {raw(QByteArray(1, '\0') + QByteArray(16, '\x55'))}};
    const ReadResult r = readAll(write(s));
    ASSERT_EQ(r.records.size(), 2);
    EXPECT_TRUE(sameValue(r.records[0].values[0], QStringLiteral("0.122999999999999998")));
    EXPECT_TRUE(sameValue(r.records[1].values[0], QVariant())) << "a zero first byte is blank";
}

TEST_F(ParadoxTableTest, BadValuesReadAsNullWithAProblemAndReadingGoesOn)
{
    struct Case {
        const char* what;
        FieldSpec field;
        QVariant bad;
        QVariant good;
    } cases[] = {
        {"day number 0x7FFFFFFF", {"Dato", ParadoxType::Date}, raw("\xFF\xFF\xFF\xFF"), QDate(2018, 1, 1)},
        {"day after 9999-12-31", {"Dato", ParadoxType::Date}, i64(3652060), QDate(2018, 1, 1)},
        {"negative day", {"Dato", ParadoxType::Date}, i64(-5), QDate(2018, 1, 1)},
        {"time of 24 hours", {"Tid", ParadoxType::Time}, i64(86400000), QTime(10, 0)},
        {"negative time", {"Tid", ParadoxType::Time}, i64(-1), QTime(10, 0)},
        {"NaN number", {"Tal", ParadoxType::Number}, std::numeric_limits<double>::quiet_NaN(), 2.5},
        {"infinite currency", {"Pris", ParadoxType::Currency}, std::numeric_limits<double>::infinity(), 2.5},
        {"NaN timestamp", {"Stempel", ParadoxType::Timestamp}, std::numeric_limits<double>::quiet_NaN(),
         QDateTime(QDate(2020, 2, 1), QTime(1, 0, 1))},
    };
    for (const Case& c : cases) {
        TableSpec s;
        s.fields = {{"Id", ParadoxType::Short}, c.field};
        s.rows = {{1, c.bad}, {2, c.good}};
        const ReadResult r = readAll(write(s));
        ASSERT_EQ(r.records.size(), 2) << c.what;
        EXPECT_TRUE(isBlank(r.records[0].values[1])) << c.what;
        ASSERT_EQ(r.records[0].problems.size(), 1) << c.what;
        EXPECT_TRUE(r.records[0].problems[0].startsWith(c.field.name)) << c.what << ": "
                                                                       << qPrintable(r.records[0].problems[0]);
        EXPECT_TRUE(sameValue(r.records[1].values[1], c.good)) << c.what;
        EXPECT_TRUE(r.records[1].problems.isEmpty()) << c.what;
        EXPECT_TRUE(sameValue(r.records[0].values[0], i64(1))) << c.what;
    }
}

// --- versions and code pages -----------------------------------------------------------------

TEST_F(ParadoxTableTest, EachVersionsHeaderLayoutReads)
{
    struct Case {
        int version, codePage, blockCode, keyFields;
        const char* sortOrder;
    } cases[] = {{3, 865, 1, 0, ""},       {4, 437, 2, 1, ""},          {9, 865, 2, 1, "nordan40"},
                 {11, 850, 4, 0, "intl850"}, {12, 1252, 32, 2, "ANSIINTL"}};
    for (const Case& c : cases) {
        TableSpec s;
        s.name = QStringLiteral("V%1").arg(c.version);
        s.versionId = c.version;
        s.codePage = c.codePage;
        s.sortByte = c.codePage == 865 ? 0x82 : 0;
        s.sortOrder = QString::fromLatin1(c.sortOrder);
        s.blockCode = c.blockCode;
        s.keyFields = c.keyFields;
        s.recordsPerBlock = 2;
        s.fields = {{"Nr", ParadoxType::Short}, {"Titel", ParadoxType::Alpha, 25},
                    {"Dato", ParadoxType::Date}, {"Pris", ParadoxType::Currency},
                    {"Tekst", ParadoxType::Memo, 14}, {"Graf", ParadoxType::Graphic, 10}};
        for (int i = 0; i < 5; ++i)
            s.rows.append({i - 2, QStringLiteral("Titel %1 åÅ").arg(i), QDate(1989, 1, 1).addDays(i),
                           0.5 * i, QStringLiteral("Noter om bånd %1, længere end lederen").arg(i), QVariant()});
        const WrittenTable w = buildTable(s);
        const ReadResult r = readAll(saveTable(folder(), s, w));
        SCOPED_TRACE(c.version);
        EXPECT_EQ(r.header.versionId, c.version);
        EXPECT_EQ(r.header.headerSize, w.headerSize);
        EXPECT_EQ(r.header.recordSize, 2 + 25 + 4 + 8 + 14 + 10);
        EXPECT_EQ(r.header.blockSize, c.blockCode * 1024);
        EXPECT_EQ(r.header.fileBlocks, 3);
        EXPECT_EQ(r.header.firstBlock, 1);
        EXPECT_EQ(r.header.recordsInHeader, 5u);
        EXPECT_EQ(r.header.keyFields, c.keyFields);
        EXPECT_EQ(r.header.statedCodePage, c.version >= 5 ? c.codePage : 0);
        EXPECT_EQ(r.header.codePage, c.codePage);
        EXPECT_EQ(r.header.sortOrder, QString::fromLatin1(c.sortOrder));
        ASSERT_EQ(r.fields.size(), 6);
        const char* names[] = {"Nr", "Titel", "Dato", "Pris", "Tekst", "Graf"};
        const ParadoxType types[] = {ParadoxType::Short, ParadoxType::Alpha, ParadoxType::Date,
                                     ParadoxType::Currency, ParadoxType::Memo, ParadoxType::Graphic};
        const int sizes[] = {2, 25, 4, 8, 14, 10};
        for (int f = 0; f < 6; ++f) {
            EXPECT_EQ(r.fields[f].name, QString::fromLatin1(names[f]));
            EXPECT_EQ(r.fields[f].type, types[f]);
            EXPECT_EQ(r.fields[f].size, sizes[f]);
        }
        ASSERT_EQ(r.records.size(), 5);
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(sameValue(r.records[i].values[0], i64(i - 2)));
            EXPECT_TRUE(sameValue(r.records[i].values[1], QStringLiteral("Titel %1 åÅ").arg(i)));
            EXPECT_TRUE(sameValue(r.records[i].values[2], QDate(1989, 1, 1).addDays(i)));
            EXPECT_TRUE(sameValue(r.records[i].values[3], 0.5 * i));
            EXPECT_TRUE(sameValue(r.records[i].values[4], QStringLiteral("Noter om bånd %1, længere end lederen").arg(i)));
        }
    }
}

TEST_F(ParadoxTableTest, BcdDescriptorGivesDecimals)
{
    TableSpec s;
    s.fields = {{"A", ParadoxType::Bcd, 0, 2}, {"B", ParadoxType::Bcd, 0, 0}, {"C", ParadoxType::Bcd, 0, 32}};
    s.rows = {{QStringLiteral("1.23"), QStringLiteral("1"), QVariant()}};
    const ReadResult r = readAll(write(s));
    ASSERT_EQ(r.fields.size(), 3);
    EXPECT_EQ(r.header.recordSize, 51);
    EXPECT_EQ(r.fields[0].size, 17);
    EXPECT_EQ(r.fields[0].decimals, 2);
    EXPECT_EQ(r.fields[1].decimals, 0);
    EXPECT_EQ(r.fields[2].decimals, 32);
}

TEST_F(ParadoxTableTest, TextDecodesInTheTablesCodePage)
{
    const QString text = u("æøåÆØÅ éüÉ");
    for (int cp : {865, 850, 1252, 437}) {
        TableSpec s;
        s.name = QStringLiteral("Cp%1").arg(cp);
        s.versionId = 9;
        s.codePage = cp;
        s.fields = {{u("Navn"), ParadoxType::Alpha, 30}, {"Memo", ParadoxType::Memo, 11}};
        QByteArray all;
        for (int b = 0x80; b <= 0xFF; ++b)
            all.append(char(b));
        s.rows = {{text, text + u(" i .MB-filen")}, {raw(all.left(30)), placed(all, BlobPlace::SubAllocated)}};
        const ReadResult r = readAll(write(s));
        SCOPED_TRACE(cp);
        EXPECT_EQ(r.header.codePage, cp);
        ASSERT_EQ(r.records.size(), 2);
        if (cp != 437)
            EXPECT_TRUE(sameValue(r.records[0].values[0], text));
        else
            EXPECT_TRUE(sameValue(r.records[0].values[0], u("æ?åÆ?Å éüÉ")));
        QString every;
        for (int b = 0x80; b <= 0xFF; ++b)
            every.append(highChar(cp, b));
        EXPECT_TRUE(sameValue(r.records[1].values[0], every.left(30)));
        EXPECT_TRUE(sameValue(r.records[1].values[1], every));
        EXPECT_EQ(import::decodeCodePage(all.constData(), all.size(), cp), every);
        EXPECT_TRUE(import::isSupportedCodePage(cp));
    }
}

TEST_F(ParadoxTableTest, OldTablesTakeTheirCodePageFromTheSortByteOrTheUser)
{
    struct Case {
        int version;
        quint8 sortByte;
        int userCodePage;
        int expectedCodePage;
        const char* expected; // bytes 9B 9E AF 91
    } cases[] = {{3, 0x82, 0, 865, "ø₧¤æ"},  {4, 0xE6, 0, 865, "ø₧¤æ"},   {3, 0x00, 0, 437, "¢₧»æ"},
                 {4, 0x4C, 0, 437, "¢₧»æ"},  {3, 0x82, 850, 850, "ø×»æ"}, {4, 0x00, 1252, 1252, "›ž¯‘"},
                 {12, 0x00, 865, 865, "ø₧¤æ"}, {9, 0x82, 0, 1252, "›ž¯‘"}};
    for (const Case& c : cases) {
        TableSpec s;
        s.versionId = c.version;
        s.codePage = 1252;
        s.sortByte = c.sortByte;
        s.fields = {{"A", ParadoxType::Alpha, 4}};
        s.rows = {{raw("\x9B\x9E\xAF\x91")}};
        ParadoxReadOptions o;
        o.codePage = c.userCodePage;
        const ReadResult r = readAll(write(s), o);
        SCOPED_TRACE(testing::Message() << c.version << " sort " << int(c.sortByte) << " user " << c.userCodePage);
        EXPECT_EQ(r.header.codePage, c.expectedCodePage);
        ASSERT_EQ(r.records.size(), 1);
        EXPECT_TRUE(sameValue(r.records[0].values[0], u(c.expected)));
    }
}

// --- blobs -----------------------------------------------------------------------------------

TEST_F(ParadoxTableTest, MemosReadFromTheLeaderSubAllocatedAndOwnBlocks)
{
    auto text = [](int n) {
        QString t;
        for (int i = 0; t.size() < n; ++i)
            t += QStringLiteral("Linje %1 med æøå\r\n").arg(i);
        t.truncate(n);
        return t;
    };
    const QVector<QVariant> memos = {
        QVariant(), text(12), text(50), text(51), text(700), u("CR\rLF\nCRLF\r\nslut").repeated(5), text(2047),
        placed(encodeText(text(2048), 865), BlobPlace::OwnBlock), text(9000), text(20000), QString()};
    TableSpec s;
    s.name = QStringLiteral("Video");
    s.dbSuffix = QStringLiteral(".db");
    s.mbFileName = QStringLiteral("VIDEO.MB");
    s.versionId = 9;
    s.codePage = 865;
    s.mbFreeBlock = true;
    s.fields = {{"TapeNr", ParadoxType::Alpha, 7}, {"Indhold", ParadoxType::Memo, 60}};
    for (int i = 0; i < memos.size(); ++i)
        s.rows.append({QStringLiteral("%1-00").arg(i + 1, 4, 10, QLatin1Char('0')), memos[i]});
    const WrittenTable w = buildTable(s);
    // The layout this test means to cover.
    ASSERT_EQ(w.blobs.size(), 9);
    EXPECT_EQ(w.blobs[1].mbBlock, -1);
    EXPECT_EQ(w.blobs[2].slot, 63);
    EXPECT_EQ(w.blobs[4].slot, 61);
    EXPECT_EQ(w.blobs[5].slot, 60);
    EXPECT_EQ(w.blobs[6].slot, 255);
    const ReadResult r = readAll(saveTable(folder(), s, w));
    ASSERT_EQ(r.records.size(), memos.size());
    for (int i = 0; i < memos.size(); ++i) {
        const QVariant want = i == 7 ? QVariant(text(2048)) : i == 10 ? QVariant() : memos[i];
        EXPECT_TRUE(sameValue(r.records[i].values[1], want)) << "row " << i;
    }
}

TEST_F(ParadoxTableTest, ManySmallMemosFillSeveralSubAllocatedBlocks)
{
    TableSpec s;
    s.fields = {{"Nr", ParadoxType::Long}, {"M", ParadoxType::Memo, 11}};
    for (int i = 0; i < 150; ++i)
        s.rows.append({i, QStringLiteral("memo nummer %1 ").arg(i).repeated(1 + i % 5)});
    const WrittenTable w = buildTable(s);
    ASSERT_GE(w.mb.size(), 4 * 4096);
    const ReadResult r = readAll(saveTable(folder(), s, w));
    ASSERT_EQ(r.records.size(), 150);
    for (int i = 0; i < 150; ++i)
        EXPECT_TRUE(sameValue(r.records[i].values[1], s.rows[i][1])) << i;
}

TEST_F(ParadoxTableTest, BinaryKindsReadOnlyWhenAsked)
{
    QByteArray image(9618, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i * 7);
    TableSpec s;
    s.versionId = 11;
    s.fields = {{"Graf", ParadoxType::Graphic, 10}, {"Bin", ParadoxType::Binary, 20},
                {"Ole", ParadoxType::Ole, 10},     {"Byt", ParadoxType::Bytes, 5},
                {"Fmt", ParadoxType::FormattedMemo, 10}};
    s.rows = {{image, QByteArray("kort"), QByteArray(600, 'o'), QByteArray("\x00\x01\x02\x00\x05", 5),
               QStringLiteral("{formateret} tekst i .MB")},
              {QByteArray("lille"), QByteArray(3000, 'b'), QVariant(), QVariant(), QVariant()}};
    const QString path = write(s);
    for (bool readBinary : {true, false}) {
        ParadoxReadOptions o;
        o.readBinary = readBinary;
        const ReadResult r = readAll(path, o);
        ASSERT_EQ(r.records.size(), 2);
        auto bin = [&](const QByteArray& b) { return readBinary ? QVariant(b) : QVariant(); };
        SCOPED_TRACE(readBinary);
        EXPECT_TRUE(sameValue(r.records[0].values[0], bin(image)));
        EXPECT_TRUE(sameValue(r.records[0].values[1], bin("kort")));
        EXPECT_TRUE(sameValue(r.records[0].values[2], bin(QByteArray(600, 'o'))));
        EXPECT_TRUE(sameValue(r.records[0].values[3], bin(QByteArray("\x00\x01\x02\x00\x05", 5))));
        EXPECT_TRUE(sameValue(r.records[0].values[4], QStringLiteral("{formateret} tekst i .MB")));
        EXPECT_TRUE(sameValue(r.records[1].values[0], bin("lille")));
        EXPECT_TRUE(sameValue(r.records[1].values[1], bin(QByteArray(3000, 'b'))));
        EXPECT_TRUE(isBlank(r.records[1].values[2]));
        EXPECT_TRUE(isBlank(r.records[1].values[3]));
    }
}

TEST_F(ParadoxTableTest, MemoFileIsFoundWithoutRegardToCase)
{
    struct Case {
        const char* dbSuffix;
        const char* mbName;
    } cases[] = {{".db", "VIDEO.MB"}, {".DB", "video.mb"}, {".Db", "Video.mB"}};
    for (const Case& c : cases) {
        QTemporaryDir dir;
        TableSpec s;
        s.name = QStringLiteral("Video");
        s.dbSuffix = QString::fromLatin1(c.dbSuffix);
        s.mbFileName = QString::fromLatin1(c.mbName);
        s.fields = {{"M", ParadoxType::Memo, 11}};
        s.rows = {{QStringLiteral("en memo der ligger i filen")}};
        const ReadResult r = readAll(writeTable(dir.path(), s));
        ASSERT_EQ(r.records.size(), 1) << c.mbName;
        EXPECT_TRUE(sameValue(r.records[0].values[0], s.rows[0][0])) << c.mbName;
    }
}

// --- blocks and chain ------------------------------------------------------------------------

TEST_F(ParadoxTableTest, ChainOrderIsTableOrderAndFreeBlocksAreIgnored)
{
    TableSpec s;
    s.blockCode = 1;
    s.recordsPerBlock = 3;
    s.chain = {4, 2, 5, 1};
    s.freeBlocks = 2;
    s.fields = {{"Nr", ParadoxType::Long}, {"Navn", ParadoxType::Alpha, 20}};
    for (int i = 0; i < 11; ++i)
        s.rows.append({i, QStringLiteral("levende %1").arg(i)});
    s.staleRows = {{100, QStringLiteral("slettet")}, {101, QStringLiteral("slettet")}, {102, QStringLiteral("slettet")}};
    const WrittenTable w = buildTable(s);
    ASSERT_EQ(w.fileBlocks, 6);
    const ReadResult r = readAll(saveTable(folder(), s, w));
    ASSERT_EQ(r.records.size(), 11);
    for (int i = 0; i < 11; ++i) {
        EXPECT_TRUE(sameValue(r.records[i].values[0], i64(i)));
        EXPECT_EQ(r.records[i].number, i + 1);
    }
}

TEST_F(ParadoxTableTest, BlockSizesFromOneToThirtyTwoKilobytes)
{
    for (int code : {1, 2, 3, 4, 8, 16, 32}) {
        TableSpec s;
        s.name = QStringLiteral("B%1").arg(code);
        s.blockCode = code;
        s.fields = {{"Nr", ParadoxType::Long}, {"Fyld", ParadoxType::Alpha, 250}};
        const int rows = (code * 1024 - 6) / 254 * 2 + 3; // three blocks, the last not full
        for (int i = 0; i < rows; ++i)
            s.rows.append({i, QStringLiteral("x").repeated(1 + i % 250)});
        const ReadResult r = readAll(write(s));
        ASSERT_EQ(r.records.size(), rows) << code;
        EXPECT_EQ(r.header.blockSize, code * 1024);
        for (int i = 0; i < rows; i += 17)
            EXPECT_TRUE(sameValue(r.records[i].values[1], s.rows[i][1])) << code << " row " << i;
    }
}

TEST_F(ParadoxTableTest, EmptyTablesAndEmptyBlocks)
{
    TableSpec none;
    none.name = QStringLiteral("Tom");
    none.fields = {{"A", ParadoxType::Alpha, 5}};
    none.freeBlocks = 2;
    none.staleRows = {{QStringLiteral("gamle")}};
    ReadResult r = readAll(write(none));
    EXPECT_EQ(r.header.firstBlock, 0);
    EXPECT_TRUE(r.records.isEmpty());

    TableSpec gap;
    gap.name = QStringLiteral("Hul");
    gap.blockCode = 1;
    gap.recordsPerBlock = 2;
    gap.fields = {{"A", ParadoxType::Alpha, 5}};
    gap.rows = {{QStringLiteral("a")}, {QStringLiteral("b")}, {QStringLiteral("c")}, {QStringLiteral("d")},
                {QStringLiteral("e")}};
    WrittenTable w = buildTable(gap);
    // The second chained block holds no record any more; offset -record size.
    putU16(w.db, w.blockOffsets[1] + 4, quint16(qint16(-w.recordSize)));
    r = readAll(saveTable(folder(), gap, w));
    ASSERT_EQ(r.records.size(), 3);
    EXPECT_TRUE(sameValue(r.records[1].values[0], QStringLiteral("b")));
    EXPECT_TRUE(sameValue(r.records[2].values[0], QStringLiteral("e")));
}

TEST_F(ParadoxTableTest, TheChainIsTrustedOverTheHeadersRecordCount)
{
    for (qint64 stated : {0, 3, 99}) {
        TableSpec s;
        s.name = QStringLiteral("Antal%1").arg(stated);
        s.recordCount = stated;
        s.fields = {{"N", ParadoxType::Short}};
        s.rows = {{1}, {2}, {3}, {4}, {5}};
        const ReadResult r = readAll(write(s));
        EXPECT_EQ(r.records.size(), 5) << stated;
        EXPECT_EQ(r.header.recordsInHeader, quint32(stated));
    }
}

TEST_F(ParadoxTableTest, FieldsAreFoundByNameWithoutRegardToCase)
{
    TableSpec s;
    s.codePage = 865;
    s.versionId = 9;
    s.fields = {{"TapeNr", ParadoxType::Alpha, 7}, {u("Instruktør"), ParadoxType::Alpha, 5}, {"Dato", ParadoxType::Date}};
    ParadoxTable t(write(s));
    struct Case {
        QString name;
        int index;
    } cases[] = {{"TapeNr", 0}, {"tapenr", 0}, {"TAPENR", 0}, {u("instruktør"), 1}, {u("INSTRUKTØR"), 1},
                 {"dATO", 2},   {"Tape", -1},  {"", -1}};
    for (const Case& c : cases)
        EXPECT_EQ(t.fieldIndex(c.name), c.index) << qPrintable(c.name);
    EXPECT_EQ(t.fields()[1].name, u("Instruktør"));
    EXPECT_TRUE(t.fileName().contains(QStringLiteral("Tab.DB")));
}

TEST_F(ParadoxTableTest, ManyLongFieldNamesMakeABiggerHeader)
{
    for (int n : {255, 256}) {
        TableSpec s;
        s.name = QStringLiteral("Bred%1").arg(n);
        s.versionId = 12;
        for (int i = 0; i < n; ++i)
            s.fields.append({QStringLiteral("Felt_nummer_%1_med_et_langt_navn").arg(i, 3, 10, QLatin1Char('0')),
                             ParadoxType::Short});
        QVector<QVariant> row;
        for (int i = 0; i < n; ++i)
            row.append(i - 100);
        s.rows = {row, row};
        const WrittenTable w = buildTable(s);
        ASSERT_GT(w.headerSize, 0x2000);
        const QString path = saveTable(folder(), s, w);
        if (n == 256) {
            EXPECT_TRUE(refusal(path).contains(QStringLiteral("Bred256.DB"))) << "more than 255 fields";
            continue;
        }
        const ReadResult r = readAll(path);
        EXPECT_EQ(r.header.headerSize, w.headerSize);
        ASSERT_EQ(r.fields.size(), n);
        EXPECT_EQ(r.fields[254].name, QStringLiteral("Felt_nummer_254_med_et_langt_navn"));
        ASSERT_EQ(r.records.size(), 2);
        EXPECT_TRUE(sameValue(r.records[1].values[254], i64(154)));
    }
}
