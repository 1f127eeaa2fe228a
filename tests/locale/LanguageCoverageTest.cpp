// The completeness check that window tests run over each language file.
#include "LocalizerFixture.h"

#include "locale/DesignTexts.h"
#include "locale/LanguageCoverage.h"
#include "locale/QuotedText.h"
#include "locale/TQLanguageFile.h"

using namespace locale;
using namespace locale_test;

namespace {

class LanguageCoverageTest : public LocalizerFixture {
protected:
    TestForm form{nullptr};
};

TEST_F(LanguageCoverageTest, FindsMissingDeadAndDoubtfulKeys)
{
    const CoverageReport report = LanguageCoverage::CheckFile(&form, TestForm::propNames(), files.path("English.lng"));
    EXPECT_EQ(report.missingKeys, (QStringList{"Button2.Caption"})) << "an empty value translates nothing";
    EXPECT_EQ(report.deadKeys, (QStringList{"TestForm.Caption", "Button1.Text"}));
    EXPECT_EQ(report.ineffectiveKeys, (QStringList{"Button2.Hint"}));
    EXPECT_EQ(report.countMismatches,
              (QStringList{"RadioGroup1.Items: design 3, file 2", "DBGrid1.Columns: design 14, file 5"}));
    EXPECT_TRUE(report.duplicateNames.isEmpty());
    EXPECT_FALSE(report.complete());
    EXPECT_TRUE(report.describe().contains(QStringLiteral("dead key: TestForm.Caption")));
}

TEST_F(LanguageCoverageTest, ListsEveryUntranslatedText)
{
    const CoverageReport report = LanguageCoverage::CheckFile(&form, TestForm::propNames(), files.path("Norsk.lng"));
    EXPECT_EQ(report.missingKeys,
              (QStringList{"Button1.Hint", "Button2.Caption", "GroupBox1.Caption", "RadioGroup1.Values",
                           "ComboBox1.Items", "DBNavigator1.Hints", "Filer1.Caption", "Afslut1.Caption",
                           "OwnButton1.Caption"}));
    EXPECT_TRUE(report.deadKeys.isEmpty());
}

TEST_F(LanguageCoverageTest, AFileWithEveryDesignTextIsComplete)
{
    QStringList lines{"[TestForm]"};
    for (const DesignText& t : DesignTexts::Collect(&form, TestForm::propNames()))
        lines.append(t.key.toLower() + u'=' + QuotedText::encode(t.text));
    files.write("Complete.lng", lines);
    const CoverageReport report = LanguageCoverage::CheckFile(&form, TestForm::propNames(), files.path("Complete.lng"));
    EXPECT_TRUE(report.complete()) << report.describe().toStdString();
    EXPECT_EQ(lines.size(), 15);
}

TEST_F(LanguageCoverageTest, ReportsComponentNamesUsedTwice)
{
    auto* twin = new QLabel(QStringLiteral("Igen"), &form);
    twin->setObjectName(QStringLiteral("label1"));
    const CoverageReport report = LanguageCoverage::CheckFile(&form, TestForm::propNames(), files.path("English.lng"));
    EXPECT_EQ(report.duplicateNames, (QStringList{"label1"}));
}

} // namespace
