// Writing into language files through the language source: refused on a read-only source,
// otherwise the open file changes and is saved back in the format the reader reads.
#include "LanguageFiles.h"
#include "locale/TQLanguageFile.h"
#include "locale/TQLanguageSource.h"

#include "core/Errors.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace locale;
using locale_test::LanguageFiles;

namespace {

QString errorOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const core::EQLocalError& e) {
        return e.message();
    }
    return QString();
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class LanguageWritingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        files.write("English.lng", {"; comment", "[S]", "k=\"English text\"", "[Other]", "x=1"});
        source.SetBaseFolder(files.folder());
        source.SetLanguages(LanguageFiles::fourLanguages());
        source.Loaded();
        source.SetActiveLanguage(0);
        source.SetSection("S");
    }

    TQLanguageFile reread(const QString& name) const { return TQLanguageFile(files.path(name)); }

    LanguageFiles files;
    TQLanguageSource source;
};

TEST(LanguageWriting, AReadOnlySourceRefusesEveryWrite)
{
    TQCustomLanguageSource readOnly;
    readOnly.Loaded();
    ASSERT_TRUE(readOnly.IsReadOnly());
    const QString expected = QStringLiteral("Cannot write to source file (ReadOnly = True)!");
    EXPECT_EQ(errorOf([&] { readOnly.WriteString("k", "v"); }), expected);
    EXPECT_EQ(errorOf([&] { readOnly.WriteSection({"k=v"}); }), expected);
    EXPECT_EQ(errorOf([&] { readOnly.EraseSection(); }), expected);
    EXPECT_EQ(errorOf([&] { readOnly.ClearLanguage(); }), expected);
}

TEST_F(LanguageWritingTest, WrittenValuesAreSavedInTheQuotedFormAndReadBack)
{
    ASSERT_FALSE(source.IsReadOnly());
    source.WriteString("DBEdit5.Hint", QStringLiteral("Tid format = ttmm \r\nIndtast f.eks. 0245"));
    source.WriteSection({QStringLiteral("Label1.Caption=Første \"titel\""), "no equals sign", "K=replaced"});

    const TQLanguageFile file = reread("English.lng");
    EXPECT_EQ(file.rawValue("S", "DBEdit5.Hint"), QStringLiteral("\"Tid format = ttmm \"#13#10\"Indtast f.eks. 0245\""));
    EXPECT_EQ(file.readString("S", "Label1.Caption", "def"), QStringLiteral("Første \"titel\""));
    EXPECT_EQ(file.keys("S"), (QStringList{"k", "DBEdit5.Hint", "Label1.Caption"})) << "a known key keeps its place";
    EXPECT_EQ(file.readString("S", "k", "def"), QStringLiteral("replaced"));
    EXPECT_EQ(file.readString("Other", "x", "def"), QStringLiteral("1")) << "other sections are kept";
    const QByteArray bytes = bytesOf(files.path("English.lng"));
    EXPECT_TRUE(bytes.contains("F\xf8rste")) << "written in Windows-1252";
    EXPECT_TRUE(bytes.contains("]\r\n")) << "CR LF line ends";
    // What is held in memory answers at once.
    EXPECT_EQ(source.ReadString("Label1.Caption", "def"), QStringLiteral("Første \"titel\""));
}

TEST_F(LanguageWritingTest, AwkwardTextsReadBackAsWritten)
{
    const QStringList texts{QStringLiteral("  blanks around  "), QStringLiteral("\"quoted\" and \"\""),
                            QStringLiteral("#1 at the start"), QStringLiteral("a=b; [c]"),
                            QStringLiteral("tab\tand\r\nbreaks\n"), QStringLiteral("\""), QStringLiteral("Ærø ß µ")};
    for (qsizetype i = 0; i < texts.size(); ++i)
        source.WriteString(QStringLiteral("Key%1").arg(i), texts[i]);
    const TQLanguageFile file = reread("English.lng");
    for (qsizetype i = 0; i < texts.size(); ++i)
        EXPECT_EQ(file.readString("S", QStringLiteral("Key%1").arg(i), "def"), texts[i]) << texts[i].toStdString();
}

TEST_F(LanguageWritingTest, ErasingASectionAndClearingTheLanguage)
{
    source.SetSection("New");
    source.WriteString("a", "b");
    source.SetSection("s"); // any letter case
    source.EraseSection();
    TQLanguageFile file = reread("English.lng");
    EXPECT_EQ(file.sectionNames(), (QStringList{"Other", "New"}));
    EXPECT_EQ(file.readString("New", "a", "def"), QStringLiteral("b"));
    source.ClearLanguage();
    EXPECT_TRUE(reread("English.lng").isEmpty());
}

TEST_F(LanguageWritingTest, TheOriginalLanguageHasNoFileToWrite)
{
    const QByteArray before = bytesOf(files.path("English.lng"));
    source.SetActiveLanguage(-1);
    source.WriteString("k", "v");
    source.WriteSection({"k=v"});
    source.EraseSection();
    source.ClearLanguage();
    EXPECT_EQ(bytesOf(files.path("English.lng")), before);
}

TEST_F(LanguageWritingTest, AMissingFileIsCreated)
{
    source.SetActiveLanguage(2); // Svensk.lng does not exist yet
    source.WriteString("k", "svensk text");
    EXPECT_EQ(reread("Svensk.lng").readString("S", "k", "def"), QStringLiteral("svensk text"));
}

TEST_F(LanguageWritingTest, WhatCannotBeWrittenIsReportedAndLeavesTheFileWhole)
{
    const QByteArray before = bytesOf(files.path("English.lng"));
    for (const QString& key : {QString(), QStringLiteral("a=b"), QStringLiteral("a\nb")})
        EXPECT_FALSE(errorOf([&] { source.WriteString(key, "v"); }).isEmpty()) << key.toStdString();
    source.SetSection(QStringLiteral("bad\rsection"));
    EXPECT_FALSE(errorOf([&] { source.WriteString("k", "v"); }).isEmpty());
    EXPECT_EQ(bytesOf(files.path("English.lng")), before);

    // A folder that is a regular file cannot hold the language file.
    files.write("blocker", {"x"});
    TQLanguageSource blocked;
    blocked.SetBaseFolder(files.path("blocker"));
    blocked.SetLanguages({"English=English.lng"});
    blocked.Loaded();
    blocked.SetActiveLanguage(0);
    blocked.SetSection("S");
    const QString error = errorOf([&] { blocked.WriteString("k", "v"); });
    EXPECT_TRUE(error.contains(QDir(files.path("blocker")).filePath("English.lng"))) << error.toStdString();
}

} // namespace
