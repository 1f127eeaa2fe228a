// Language files are untrusted: random and mutated files, and a few huge ones, go through
// the reader, the value decoder and the comma-text reader without a crash or a hang, and
// the encoders always read back what they wrote. Fixed seed, so a failure repeats.
#include "locale/CommaText.h"
#include "locale/QuotedText.h"
#include "locale/TQLanguageFile.h"

#include "core/Win1252.h"

#include <gtest/gtest.h>
#include <random>

using namespace locale;

namespace {

const QByteArray kSample = "; sample\r\n[General Settings]\r\nBiDiMode=1\r\nFontCharSet=GREEK_CHARSET\r\n"
                           "[RegForm]\r\nDBEdit5.Hint=\"Tid format = ttmm \"#13#10\"Indtast f.eks. 0245\"\r\n"
                           "DBNavigator1.Hints=\"F\xf8rste,Forrige,N\xe6ste,Sidste\"\r\n"
                           "RadioGroup1.Items=\"Original,Kopi,\"\"Privat optagelse\"\"\"\r\n";

// Bytes that matter to the format, chosen more often than others.
const char kSpecial[] = {'"', '#', '[', ']', '=', ';', ',', ' ', '\r', '\n', '\0', '1', '3', '\t', '\x80', '\xff'};

class Fuzzer {
public:
    explicit Fuzzer(unsigned seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    char byte() { return below(2) ? kSpecial[below(sizeof kSpecial)] : char(below(256)); }

    QByteArray randomBytes(int maxSize)
    {
        QByteArray bytes;
        const int size = below(maxSize);
        for (int i = 0; i < size; ++i)
            bytes.append(byte());
        return bytes;
    }

    QByteArray mutate(QByteArray bytes)
    {
        const int edits = 1 + below(8);
        for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
            const int at = below(int(bytes.size()));
            switch (below(4)) {
            case 0: bytes[at] = byte(); break;
            case 1: bytes.insert(at, byte()); break;
            case 2: bytes.remove(at, 1 + below(4)); break;
            default: bytes.insert(at, bytes.mid(below(int(bytes.size())), below(16))); break;
            }
        }
        return bytes;
    }

    QString randomText(int maxSize)
    {
        return core::win1252::decode(randomBytes(maxSize));
    }

private:
    std::mt19937 rng_;
};

// Everything a localizer would do with a file's contents.
int exercise(const TQLanguageFile& file)
{
    int items = 0;
    for (const QString& section : file.sectionNames()) {
        for (const QString& entry : file.readSection(section)) {
            const QString value = entry.mid(entry.indexOf(u'=') + 1);
            items += int(CommaText::read(value).size());
        }
        for (const QString& key : file.keys(section))
            file.readString(section, key, QString());
    }
    return items;
}

TEST(LanguageFileFuzz, RandomAndMutatedFilesAreReadSafely)
{
    Fuzzer fuzz(20240611);
    for (int round = 0; round < 3000; ++round) {
        const QByteArray bytes = round % 2 ? fuzz.mutate(kSample) : fuzz.randomBytes(600);
        const TQLanguageFile file = TQLanguageFile::fromBytes(bytes);
        EXPECT_GE(exercise(file), 0);
        for (const QString& section : file.sectionNames())
            EXPECT_TRUE(file.hasSection(section));
    }
}

TEST(LanguageFileFuzz, EncodersReadBackWhatTheyWrote)
{
    Fuzzer fuzz(99);
    for (int round = 0; round < 2000; ++round) {
        const QString text = fuzz.randomText(40);
        ASSERT_EQ(QuotedText::decode(QuotedText::encode(text)), text) << text.toStdString();
        QStringList items;
        for (int i = fuzz.below(5); i > 0; --i)
            items.append(fuzz.randomText(8));
        ASSERT_EQ(CommaText::read(CommaText::write(items)), items) << CommaText::write(items).toStdString();
        // Through a file: an entry written in the quoted form reads back as its text.
        const QString line = QStringLiteral("[S]\nk=") + QuotedText::encode(text) + u'\n';
        ASSERT_EQ(TQLanguageFile::fromBytes(core::win1252::encode(line)).readString("S", "k", "-"), text);
    }
}

TEST(LanguageFileFuzz, HugeAndPathologicalFilesStayLinear)
{
    // 10 MB of entries.
    QByteArray big = "[S]\r\n";
    const QByteArray entry = "Key12345.Caption=\"Some text \"#13#10\"more\"\r\n";
    while (big.size() < 10 * 1024 * 1024)
        big += entry;
    EXPECT_EQ(TQLanguageFile::fromBytes(big).keys("S").size(), 1);

    // One line of 100,000 characters of runs, unbalanced quotes and separators.
    const QByteArray runs = "[S]\nk=" + QByteArray("\"#1#", 4).repeated(25000) + "\n";
    EXPECT_LT(TQLanguageFile::fromBytes(runs).readString("S", "k", "-").size(), 100000);
    // Cut at the longest value kept: an opening quote and pairs of quotes, one quote each.
    const QByteArray quotes = "[S]\nk=\"" + QByteArray(100000, '"') + "\n";
    EXPECT_EQ(TQLanguageFile::fromBytes(quotes).readString("S", "k", "-").size(), (TQLanguageFile::kMaxValueLength - 1) / 2);
    const QByteArray commas = QByteArray(100000, ',');
    EXPECT_EQ(CommaText::read(QString::fromLatin1(commas)).size(), 100001);

    // Many distinct sections, then the first one again and again; an unclosed "[" per line.
    QByteArray sections;
    for (int i = 0; i < 50000; ++i)
        sections += "[S" + QByteArray::number(i) + "]\nk=v\n";
    for (int i = 0; i < 50000; ++i)
        sections += "[S0]\n[unclosed\n";
    const TQLanguageFile file = TQLanguageFile::fromBytes(sections);
    EXPECT_EQ(file.sectionNames().size(), TQLanguageFile::kMaxSections);
    EXPECT_TRUE(file.readSection("S0").isEmpty());
    EXPECT_EQ(file.readString(QStringLiteral("S%1").arg(TQLanguageFile::kMaxSections - 1), "k", "-"), QStringLiteral("v"));
    EXPECT_EQ(file.readString("S49999", "k", "-"), QStringLiteral("-")) << "past the bound";

    // Binary noise of a megabyte.
    Fuzzer fuzz(3);
    EXPECT_GE(exercise(TQLanguageFile::fromBytes(fuzz.randomBytes(1024 * 1024))), 0);
}

} // namespace
