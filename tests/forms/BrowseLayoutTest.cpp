#include "BrowseFixture.h"

#include "common/LayoutCheck.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "forms/IndholdForm.h"
#include "forms/OversigtForm.h"
#include "forms/SkueForm.h"
#include "locale/LanguageCoverage.h"

#include <QLabel>

using browsetest::BrowseTest;

namespace {

class BrowseLayout : public BrowseTest {
protected:
    static QString languageFile(const char* name)
    {
        return testing_support::builtProgramDir() + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".lng");
    }
    static void expectFits(QWidget* window, const std::string& what)
    {
        const QStringList problems = testing_support::textsThatDoNotFit(window);
        EXPECT_TRUE(problems.isEmpty()) << what << ":\n" << problems.join(QLatin1Char('\n')).toStdString();
    }
    static void expectComplete(QWidget* window, const QStringList& propNames)
    {
        for (const char* language : {"English", "Norsk", "Svensk", "Deutsch"}) {
            const locale::CoverageReport report =
                locale::LanguageCoverage::CheckFile(window, propNames, languageFile(language));
            EXPECT_TRUE(report.complete()) << window->objectName().toStdString() << " in " << language << ":\n"
                                           << report.describe().toStdString();
        }
    }
};

const QStringList kCaptionHintColumns = {QStringLiteral("Caption"), QStringLiteral("Hint"), QStringLiteral("Columns")};

} // namespace

TEST_F(BrowseLayout, OverviewTextsFitInEveryLanguageAtThreeScales)
{
    for (const int language : browsetest::kLanguages) {
        useLanguage(language);
        forms::TOversigtForm form;
        form.show();
        for (const double scale : {1.0, 0.8, 1.5}) {
            form.resize(qRound(forms::TOversigtForm::kDesignWidth * scale), qRound(forms::TOversigtForm::kDesignHeight * scale));
            expectFits(&form, "language " + std::to_string(language) + " at " + std::to_string(scale));
            // The right-aligned search label never reaches into the edit box beside it.
            EXPECT_LE(form.Label8->geometry().right(), form.findChild<QWidget*>(QStringLiteral("Edit3"))->x())
                << language << " " << scale;
        }
        form.resize(forms::TOversigtForm::kDesignWidth, forms::TOversigtForm::kDesignHeight);
    }
}

TEST_F(BrowseLayout, ContentSearchAndActorWindowTextsFitInEveryLanguage)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Jagten"));
    addCast(QStringLiteral("0001-00"), QStringLiteral("Mads Mikkelsen"), QStringLiteral("Lucas"));
    for (const int language : browsetest::kLanguages) {
        useLanguage(language);
        forms::TIndholdForm content;
        content.show();
        expectFits(&content, "content search, language " + std::to_string(language));
        forms::TSkueForm actors;
        actors.show();
        actors.DBLookupComboBox7->chooseRow(0);
        ASSERT_FALSE(actors.Label26->text().isEmpty());
        expectFits(&actors, "actor window, language " + std::to_string(language));
    }
}

TEST_F(BrowseLayout, EveryLanguageFileTranslatesTheThreeWindowsCompletely)
{
    forms::TOversigtForm overview;
    expectComplete(&overview, kCaptionHintColumns);
    forms::TIndholdForm content;
    expectComplete(&content, {QStringLiteral("Caption"), QStringLiteral("Hint")});
    forms::TSkueForm actors;
    expectComplete(&actors, kCaptionHintColumns);
}

TEST_F(BrowseLayout, TheOverviewFollowsLanguageChangesWhileItLives)
{
    useLanguage(3);
    forms::TOversigtForm overview;
    EXPECT_EQ(overview.windowTitle(), QString::fromUtf8("Übersicht"));
    EXPECT_EQ(overview.DBGrid1->columnTitles().at(13), QStringLiteral("Fabrikat"));
    EXPECT_EQ(overview.DBGrid1->columnTitles().at(0), QStringLiteral("Bandnr."));
    useLanguage(-1);
    overview.show();
    EXPECT_EQ(overview.windowTitle(), QStringLiteral("Oversigt"));
    EXPECT_EQ(overview.DBGrid1->columnTitles().at(0), QStringLiteral("TapeNr"));
    EXPECT_EQ(overview.Label24->text(), QStringLiteral("Optaget af"));
    expectFits(&overview, "back in Danish");
    overview.close();
    useLanguage(0);
    overview.show();
    EXPECT_EQ(overview.Label24->text(), QStringLiteral("Recorded by"));
    expectFits(&overview, "English after Danish");
}
