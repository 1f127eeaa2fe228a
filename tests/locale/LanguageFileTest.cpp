// Reading language files: lines, sections, keys, comments and what cannot be read.
#include "locale/TQLanguageFile.h"

#include "core/Win1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using locale::TQLanguageFile;

namespace {

TQLanguageFile parse(const QString& text)
{
    return TQLanguageFile::fromBytes(core::win1252::encode(text));
}

const char* const kExample =
    "; a comment line\r\n"
    "[General Settings]\r\n"
    "BiDiMode=0\r\n"
    "FontCharSet=DEFAULT_CHARSET\r\n"
    "\r\n"
    "[HovedForm]\r\n"
    "SpeedButton1.Caption=\"Registrering af Video/DVD\"\r\n"
    "Funktioner1.Caption=\"Funktioner\"\r\n"
    "Eksport1.Caption=\"Data eksport\"\r\n"
    "\r\n"
    "[RegForm]\r\n"
    "DBEdit5.Hint=\"Tid format = ttmm \"#13#10\"Indtast f.eks. 0245\"\r\n"
    "DBNavigator1.Hints=\"Første,Forrige,Næste,Sidste,Tilføj,Slet,Ret,Gem,Fortryd\"\r\n";

TEST(LanguageFileFormat, ReadsTheExampleFile)
{
    const TQLanguageFile file = parse(QString::fromUtf8(kExample));
    EXPECT_EQ(file.sectionNames(), (QStringList{"General Settings", "HovedForm", "RegForm"}));
    EXPECT_EQ(file.readString("HovedForm", "SpeedButton1.Caption", "-"), QStringLiteral("Registrering af Video/DVD"));
    EXPECT_EQ(file.readString("RegForm", "DBEdit5.Hint", "-"),
              QStringLiteral("Tid format = ttmm \r\nIndtast f.eks. 0245"));
    EXPECT_EQ(file.readString("RegForm", "DBNavigator1.Hints", "-").split(u',').size(), 9);
    EXPECT_EQ(file.readString("RegForm", "DBNavigator1.Hints", "-").section(u',', 2, 2), QStringLiteral("Næste"));
    EXPECT_EQ(file.readSection("HovedForm"),
              (QStringList{"SpeedButton1.Caption=Registrering af Video/DVD", "Funktioner1.Caption=Funktioner",
                           "Eksport1.Caption=Data eksport"}));
}

TEST(LanguageFileFormat, ComparesSectionsAndKeysWithoutCaseInTheCodePage)
{
    const TQLanguageFile file = parse(QStringLiteral("[hovedform]\nKnapÆble.caption=x\n[RØD]\nk=y\n"));
    EXPECT_EQ(file.readString("HOVEDFORM", "knapæble.CAPTION", "-"), QStringLiteral("x"));
    EXPECT_EQ(file.readString("rød", "K", "-"), QStringLiteral("y"));
    EXPECT_TRUE(file.hasSection("Rød"));
    // ß has no upper case in the code page: it matches only itself.
    EXPECT_EQ(parse(QStringLiteral("[s]\nstraße=1\n")).readString("s", "STRASSE", "-"), QStringLiteral("-"));
}

TEST(LanguageFileFormat, LastSectionAndLastKeyWin)
{
    const TQLanguageFile file = parse(QStringLiteral("[A]\nk1=first\nk2=only in first\n[B]\nx=1\n"
                                                     "[a]\nk1=second\nK1=third\nk3=\"\"\n"));
    EXPECT_EQ(file.readString("A", "k1", "-"), QStringLiteral("third"));
    EXPECT_EQ(file.readString("A", "k2", "-"), QStringLiteral("-"));
    EXPECT_EQ(file.keys("A"), (QStringList{"k1", "k3"}));
    // One entry per key, at its first place, with its last value; empty values left out.
    EXPECT_EQ(file.readSection("A"), (QStringList{"k1=third"}));
    EXPECT_EQ(file.readSection("B"), (QStringList{"x=1"}));
}

TEST(LanguageFileFormat, IgnoresCommentsLinesBeforeTheFirstSectionAndLinesWithoutEquals)
{
    const TQLanguageFile file = parse(QStringLiteral("k=before\n[S]\n; k=comment\n  ;k2=comment too\n"
                                                     "just words\n  key  =  value  \n=no key\n[unclosed\n"));
    EXPECT_EQ(file.readSection("S"), (QStringList{"key=value"}));
    EXPECT_EQ(file.readString("S", "k", "-"), QStringLiteral("-"));
    EXPECT_EQ(file.readString("S", "", "-"), QStringLiteral("-"));
    EXPECT_EQ(file.sectionNames(), (QStringList{"S"}));
}

TEST(LanguageFileFormat, SplitsLinesAtCrLfCrOrLfAndStopsAtNul)
{
    QByteArray bytes("[S]\ra=1\nb=2\r\nc=3\r\r\nd=4");
    bytes.append('\0');
    bytes.append("\ne=5");
    const TQLanguageFile file = TQLanguageFile::fromBytes(bytes);
    EXPECT_EQ(file.readSection("S"), (QStringList{"a=1", "b=2", "c=3", "d=4"}));
}

TEST(LanguageFileFormat, TrimsControlCharactersAndKeepsQuotedBlanks)
{
    const TQLanguageFile file = TQLanguageFile::fromBytes(QByteArray("\x01[ S \x1f]\t\n\x02 k \x03=\x04 \" v \" \x05\n"));
    EXPECT_EQ(file.readString("S", "k", "-"), QStringLiteral(" v "));
}

TEST(LanguageFileFormat, DecodesWindows1252Bytes)
{
    const TQLanguageFile file = TQLanguageFile::fromBytes(QByteArray("[S]\nk=\x80 \xe6\xf8\xe5\n"));
    EXPECT_EQ(file.readString("S", "k", "-"), QStringLiteral("\u20AC æøå"));
}

TEST(LanguageFileReading, WhatCannotBeReadIsAnEmptyFile)
{
    QTemporaryDir dir;
    EXPECT_TRUE(TQLanguageFile(dir.filePath("missing.lng")).isEmpty());
    EXPECT_TRUE(TQLanguageFile(QString()).isEmpty());
    EXPECT_TRUE(TQLanguageFile(dir.path()).isEmpty()); // a folder
    QFile empty(dir.filePath("empty.lng"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_TRUE(TQLanguageFile(empty.fileName()).isEmpty());
    EXPECT_EQ(TQLanguageFile(empty.fileName()).readString("S", "k", "def"), QStringLiteral("def"));
}

// What a file may hold is bounded, so a hostile file under the size limit cannot take the
// machine's memory: what lies past a bound is dropped or cut, what lies before it is kept.
TEST(LanguageFileReading, WhatExceedsTheBoundsIsDroppedOrCut)
{
    const qsizetype sections = TQLanguageFile::kMaxSections;
    QByteArray manySections;
    for (qsizetype i = 0; i < sections + 50; ++i)
        manySections += "[S" + QByteArray::number(i) + "]\nk=v\n";
    const TQLanguageFile bySections = TQLanguageFile::fromBytes(manySections);
    EXPECT_EQ(bySections.sectionNames().size(), sections);
    EXPECT_EQ(bySections.readString("S0", "k", "def"), QStringLiteral("v"));
    EXPECT_EQ(bySections.readString(QStringLiteral("S%1").arg(sections - 1), "k", "def"), QStringLiteral("v"));
    EXPECT_FALSE(bySections.hasSection(QStringLiteral("S%1").arg(sections)));

    QByteArray manyKeys = "[S]\n";
    for (qsizetype i = 0; i < TQLanguageFile::kMaxEntries + 50; ++i)
        manyKeys += "k" + QByteArray::number(i) + "=v\n";
    manyKeys += "k0=last\n"; // a known key is still replaced
    const TQLanguageFile byKeys = TQLanguageFile::fromBytes(manyKeys);
    EXPECT_EQ(byKeys.keys("S").size(), TQLanguageFile::kMaxEntries);
    EXPECT_EQ(byKeys.readString("S", "k0", "def"), QStringLiteral("last"));
    EXPECT_EQ(byKeys.readString("S", QStringLiteral("k%1").arg(TQLanguageFile::kMaxEntries), "def"), QStringLiteral("def"));

    const QByteArray longName(TQLanguageFile::kMaxNameLength + 1, 'n');
    const QByteArray longValue(3 * TQLanguageFile::kMaxValueLength, 'w');
    const TQLanguageFile byLength = TQLanguageFile::fromBytes("[S]\ncaption=" + longValue + "\n" + longName + "=v\n["
                                                              + longName + "]\nk=v\n[T]\nk=v\n");
    EXPECT_EQ(byLength.rawValue("S", "caption"), QString(TQLanguageFile::kMaxValueLength, QLatin1Char('w')));
    EXPECT_EQ(byLength.keys("S"), QStringList(QStringLiteral("caption")));
    EXPECT_EQ(byLength.sectionNames(), QStringList({QStringLiteral("S"), QStringLiteral("T")}));
}

TEST(LanguageFileReading, APipeOrADeviceReadsAsEmptyWithoutWaiting)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath("Pipe.lng");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const QString device = dir.filePath("Device.lng");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    EXPECT_TRUE(TQLanguageFile(pipe).isEmpty());
    EXPECT_TRUE(TQLanguageFile(device).isEmpty());
}

} // namespace
