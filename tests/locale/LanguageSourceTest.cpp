// The language source: names and files of the languages, changing the active language and
// what registered localizers are told.
#include "LanguageFiles.h"
#include "locale/TQCustomLocalizer.h"
#include "locale/TQLanguageFile.h"
#include "locale/TQLanguageSettings.h"
#include "locale/TQLanguageSource.h"

#include "core/Errors.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace locale;
using locale_test::LanguageFiles;

namespace {

// Records what the source asks of it, in one log shared with the source's hooks.
class RecordingLocalizer : public TQCustomLocalizer {
public:
    RecordingLocalizer(QObject* owner, QString name, QStringList& log)
        : TQCustomLocalizer(owner), name_(std::move(name)), log_(log)
    {
        Loaded();
    }
    void Localize() override { log_.append(name_ + ":Localize"); }
    void LanguageChanging(int newIndex, bool& allow) override
    {
        log_.append(QStringLiteral("%1:Changing(%2)").arg(name_).arg(newIndex));
        allow = false; // never consulted
    }
    void LanguageChanged() override { log_.append(name_ + ":Changed"); }

private:
    QString name_;
    QStringList& log_;
};

class LanguageSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        files.write("English.lng", {"[S]", "k=\"English text\""});
        files.write("Norsk.lng", {"[S]", "k=\"Norsk tekst\""});
        source.SetBaseFolder(files.folder());
        source.SetOriginalName("Dansk");
        source.SetLanguages(LanguageFiles::fourLanguages());
        source.Loaded();
        source.SetSection("S");
    }

    static QString errorOf(const std::function<void()>& fn)
    {
        try {
            fn();
        } catch (const core::EQLocalError& e) {
            return e.message();
        }
        return QString();
    }

    LanguageFiles files;
    QObject owner;
    TQLanguageSource source;
    QStringList log;
};

TEST_F(LanguageSourceTest, NamesAndFilesOfTheLanguages)
{
    EXPECT_EQ(source.LanguageName(-1), QStringLiteral("Dansk"));
    EXPECT_EQ(source.LanguageName(0), QStringLiteral("English"));
    EXPECT_EQ(source.LanguageName(3), QStringLiteral("Deutsch"));
    EXPECT_EQ(source.LanguageFileName(2), QStringLiteral("Svensk.lng"));
    EXPECT_EQ(source.LanguageFileName(-1), QString());
    EXPECT_EQ(source.LanguageFilePath(0), QDir(files.folder()).filePath("English.lng"));
    for (int bad : {4, -2}) {
        const QString expected = QStringLiteral("Index out of bounds (%1)").arg(bad);
        EXPECT_EQ(errorOf([&] { source.LanguageName(bad); }), expected);
        EXPECT_EQ(errorOf([&] { source.LanguageFileName(bad); }), expected);
    }
}

TEST_F(LanguageSourceTest, FileNameComesFromTheFirstLineOfTheSameName)
{
    source.SetLanguages({"English=first.lng", "english=second.lng", "NoEquals"});
    EXPECT_EQ(source.LanguageFileName(1), QStringLiteral("first.lng"));
    EXPECT_EQ(source.LanguageName(2), QString());
    EXPECT_EQ(source.LanguageFileName(2), QString());
}

TEST_F(LanguageSourceTest, ActivatingALanguageReadsItsFile)
{
    EXPECT_EQ(source.ActiveLanguage(), -1);
    EXPECT_EQ(source.LanguageFile(), nullptr);
    EXPECT_EQ(source.ReadString("k", "def"), QStringLiteral("def"));
    source.SetActiveLanguage(0);
    EXPECT_EQ(source.ReadString("k", "def"), QStringLiteral("English text"));
    source.SetActiveLanguage(1);
    EXPECT_EQ(source.ReadString("K", "def"), QStringLiteral("Norsk tekst"));
    source.SetActiveLanguage(-1);
    EXPECT_EQ(source.LanguageFile(), nullptr);
    EXPECT_EQ(source.ReadString("k", "def"), QStringLiteral("def"));
}

TEST_F(LanguageSourceTest, TheActiveIndexAgainDoesNotRereadTheFile)
{
    RecordingLocalizer localizer(&owner, "L", log);
    localizer.SetSource(&source);
    source.SetActiveLanguage(0);
    files.write("English.lng", {"[S]", "k=changed"});
    log.clear();
    source.SetActiveLanguage(0);
    EXPECT_EQ(source.ReadString("k", "def"), QStringLiteral("English text"));
    EXPECT_TRUE(log.isEmpty());
    source.SetActiveLanguage(-1);
    source.SetActiveLanguage(0); // activated anew: read again
    EXPECT_EQ(source.ReadString("k", "def"), QStringLiteral("changed"));
}

TEST_F(LanguageSourceTest, AnIndexOutOfBoundsChangesNothing)
{
    RecordingLocalizer localizer(&owner, "L", log);
    localizer.SetSource(&source);
    source.SetActiveLanguage(1);
    log.clear();
    for (int bad : {4, -2}) {
        EXPECT_EQ(errorOf([&] { source.SetActiveLanguage(bad); }), QStringLiteral("Index out of bounds (%1)").arg(bad));
        EXPECT_EQ(source.ActiveLanguage(), 1);
        EXPECT_EQ(source.ReadString("k", "def"), QStringLiteral("Norsk tekst"));
    }
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(LanguageSourceTest, AMissingFileIsNoError)
{
    source.SetActiveLanguage(2); // Svensk.lng does not exist
    EXPECT_EQ(source.ActiveLanguage(), 2);
    EXPECT_NE(source.LanguageFile(), nullptr);
    EXPECT_EQ(source.ReadString("k", "def"), QStringLiteral("def"));
    EXPECT_EQ(source.ActiveSettings()->BiDiMode(), bdLeftToRight);
    EXPECT_EQ(source.ActiveSettings()->FontCharSet(), DEFAULT_CHARSET);
}

TEST_F(LanguageSourceTest, LocalizersAreToldInOrderAroundAChange)
{
    RecordingLocalizer first(&owner, "A", log);
    RecordingLocalizer second(&owner, "B", log);
    first.SetSource(&source);
    second.SetSource(&source);
    source.SetOnLanguageChanging([this](TQCustomLanguageSource&, int index, bool&) {
        log.append(QStringLiteral("hook:Changing(%1)").arg(index));
    });
    source.SetOnLanguageChanged([this](TQCustomLanguageSource&) { log.append("hook:Changed"); });
    source.SetActiveLanguage(0);
    EXPECT_EQ(log, (QStringList{"A:Changing(0)", "B:Changing(0)", "hook:Changing(0)", "A:Localize", "B:Localize",
                                "A:Changed", "B:Changed", "hook:Changed"}));
}

TEST_F(LanguageSourceTest, TheHookCanRefuseAndTheOldLanguageKeepsItsTexts)
{
    RecordingLocalizer localizer(&owner, "L", log);
    localizer.SetSource(&source);
    source.SetActiveLanguage(0);
    source.SetOnLanguageChanging([](TQCustomLanguageSource&, int, bool& allow) { allow = false; });
    log.clear();
    source.SetActiveLanguage(1);
    EXPECT_EQ(source.ActiveLanguage(), 0);
    EXPECT_EQ(log, (QStringList{"L:Changing(1)"}));
    EXPECT_EQ(source.ReadString("k", "def"), QStringLiteral("English text"));

    // A hook that fails leaves the old language in force the same way.
    source.SetOnLanguageChanging([](TQCustomLanguageSource&, int, bool&) { throw core::EQLocalError("hook failed"); });
    EXPECT_EQ(errorOf([&] { source.SetActiveLanguage(1); }), QStringLiteral("hook failed"));
    EXPECT_EQ(source.ActiveLanguage(), 0);
    EXPECT_EQ(source.ReadString("k", "def"), QStringLiteral("English text"));
}

TEST_F(LanguageSourceTest, RegisteringLocalizesAtOnceOnlyWhenALanguageIsActive)
{
    RecordingLocalizer localizer(&owner, "L", log);
    source.RegisterLocalizer(&localizer);
    source.RegisterLocalizer(&localizer);
    source.RegisterLocalizer(nullptr);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(source.Localizers().size(), 1);
    source.UnregisterLocalizer(&localizer);
    source.SetActiveLanguage(0);
    source.RegisterLocalizer(&localizer);
    EXPECT_EQ(log, (QStringList{"L:Localize"}));
    log.clear();
    source.LocalizeAll();
    EXPECT_EQ(log, (QStringList{"L:Localize"}));
}

TEST_F(LanguageSourceTest, ReplacingTheLanguagesReturnsToTheOriginal)
{
    RecordingLocalizer localizer(&owner, "L", log);
    localizer.SetSource(&source);
    source.SetActiveLanguage(3);
    log.clear();
    source.SetLanguages({"English=English.lng"});
    EXPECT_EQ(source.ActiveLanguage(), -1);
    EXPECT_EQ(source.LanguageFile(), nullptr);
    EXPECT_EQ(log, (QStringList{"L:Changing(-1)", "L:Localize", "L:Changed"}));
}

TEST_F(LanguageSourceTest, ADestroyedLocalizerIsNoLongerTold)
{
    auto* localizer = new RecordingLocalizer(&owner, "L", log);
    localizer->SetSource(&source);
    auto* direct = new RecordingLocalizer(&owner, "D", log);
    source.RegisterLocalizer(direct); // registered without being given the source
    delete localizer;
    delete direct;
    EXPECT_TRUE(source.Localizers().isEmpty());
    source.SetActiveLanguage(0);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(LanguageSourceTest, ReadSectionKeepsFileOrderUnlessSorted)
{
    files.write("English.lng", {"[S]", "b=2", "A=1", "c=\"\"", "B=3"});
    source.SetActiveLanguage(0);
    QStringList list{"stale"};
    source.ReadSection(list);
    EXPECT_EQ(list, (QStringList{"b=3", "A=1"}));
    source.SetSortSections(true);
    source.ReadSection(list);
    EXPECT_EQ(list, (QStringList{"A=1", "b=3"}));
    source.SetSection("missing");
    source.ReadSection(list);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(source.ReadString("", "def"), QStringLiteral("def"));
}

TEST_F(LanguageSourceTest, ARelativeFileIsFoundInTheCurrentDirectoryByDefault)
{
    TQLanguageSource plain;
    plain.SetLanguages({"English=English.lng"});
    plain.Loaded();
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(files.folder()));
    plain.SetActiveLanguage(0);
    QDir::setCurrent(before);
    plain.SetSection("S");
    EXPECT_EQ(plain.ReadString("k", "def"), QStringLiteral("English text"));
}

TEST(LanguageSourceBasics, NoNotificationsBeforeTheSourceHasStarted)
{
    LanguageFiles files;
    QObject owner;
    QStringList log;
    TQLanguageSource source;
    source.SetBaseFolder(files.folder());
    source.SetLanguages(LanguageFiles::fourLanguages());
    RecordingLocalizer localizer(&owner, "L", log);
    localizer.SetSource(&source);
    EXPECT_EQ(source.OriginalName(), QStringLiteral("Original"));
    source.SetActiveLanguage(0); // still loading: only the localizing step
    EXPECT_EQ(log, (QStringList{"L:Localize"}));
    log.clear();
    source.SetActiveLanguage(1); // the first change started it
    EXPECT_EQ(log, (QStringList{"L:Changing(1)", "L:Localize", "L:Changed"}));
}

TEST(LanguageSourceBasics, TheExtensionIsNeverAdded)
{
    LanguageFiles files;
    files.write("English.lng", {"[S]", "k=\"English text\""});
    TQLanguageSource source;
    source.SetBaseFolder(files.folder());
    source.SetLanguages({"English=English"});
    source.Loaded();
    source.SetActiveLanguage(0);
    source.SetSection("S");
    EXPECT_EQ(source.LanguageFilePath(0), QDir(files.folder()).filePath("English"));
    EXPECT_EQ(source.ReadString("k", "def"), QStringLiteral("def")) << "English.lng is not English";
}

} // namespace
