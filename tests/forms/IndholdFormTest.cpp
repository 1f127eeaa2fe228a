#include "BrowseFixture.h"
#include "TestLanguages.h"

#include "dbctrls/DBMemo.h"
#include "dbctrls/DBText.h"
#include "forms/AppContext.h"
#include "forms/IndholdForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

using browsetest::BrowseTest;

namespace {

class ContentSearch : public BrowseTest {
protected:
    void open()
    {
        form = std::make_unique<forms::TIndholdForm>();
        form->show();
    }
    void TearDown() override
    {
        form.reset();
        BrowseTest::TearDown();
    }
    void search(const QString& keyword)
    {
        form->OrdIndtast->setText(keyword);
        QTest::mouseClick(form->FindButton, Qt::LeftButton);
    }
    QStringList lines()
    {
        QStringList texts;
        for (int i = 0; i < form->ListBox1->count(); ++i)
            texts << form->ListBox1->item(i)->text();
        return texts;
    }
    void clickLine(int row)
    {
        QListWidget* list = form->ListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    void addDescribed()
    {
        addTape(QStringLiteral("0001-00"), QStringLiteral("Sommerfugl"), {{"Indhold", QStringLiteral("Et æble og en pære")}});
        addTape(QStringLiteral("0002-00"), QStringLiteral("Ørkenen"), {{"Indhold", QStringLiteral("Sand og sol")}});
        addTape(QStringLiteral("0003-00"), QStringLiteral("Bønder"), {{"Indhold", QStringLiteral("ÆBLETRÆER i haven")}, {"Kategori", QStringLiteral("Drama")}});
        addTape(QStringLiteral("0004-00"), QStringLiteral("Slutningen"), {{"Indhold", QStringLiteral("Det sidste æble")}, {"Kategori", QStringLiteral("Drama")}});
    }

    std::unique_ptr<forms::TIndholdForm> form;
};

} // namespace

TEST_F(ContentSearch, ListsEveryTapeWhoseDescriptionHoldsTheKeywordOnce)
{
    addDescribed();
    open();
    EXPECT_EQ(form->Label10->text(), QStringLiteral("0"));
    search(QString::fromUtf8("æble"));
    EXPECT_EQ(lines(), (QStringList{"0001-00 Sommerfugl", "0003-00 Bønder", "0004-00 Slutningen"}))
        << "inside longer words, accented capitals folded, the last tape once";
    EXPECT_EQ(form->Label10->text(), QStringLiteral("3"));
    EXPECT_EQ(currentTape(), QStringLiteral("0004-00")) << "left on the last tape found";
    EXPECT_EQ(form->DBText1->text(), QStringLiteral("Slutningen"));

    search(QStringLiteral("Berlin"));
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(form->Label10->text(), QStringLiteral("0"));
    EXPECT_EQ(currentTape(), QStringLiteral("0004-00"));
    EXPECT_TRUE(dialogs().shown.empty());
}

TEST_F(ContentSearch, EnterInTheKeywordBoxSearches)
{
    addDescribed();
    open();
    QTest::keyClicks(form->OrdIndtast, QStringLiteral("sol"));
    EXPECT_TRUE(lines().isEmpty()) << "typing alone does not search";
    QTest::keyClick(form->OrdIndtast, Qt::Key_Return);
    EXPECT_EQ(lines(), QStringList{"0002-00 Ørkenen"});
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ContentSearch, OnlyTapesOfTheCurrentSelectionInItsOrder)
{
    addDescribed();
    video().SetIndexName(QStringLiteral("IndexTitel"));
    video().SetFilter(QStringLiteral("Kategori = 'Drama'"));
    video().SetFiltered(true);
    open();
    search(QString::fromUtf8("ÆBLE"));
    EXPECT_EQ(lines(), (QStringList{"0003-00 Bønder", "0004-00 Slutningen"}));
}

TEST_F(ContentSearch, StopsAfter1001Lines)
{
    fillTapes(1005, QStringLiteral("en film om en hund"));
    open();
    search(QStringLiteral("HUND"));
    EXPECT_EQ(form->ListBox1->count(), 1001);
    EXPECT_EQ(form->Label10->text(), QStringLiteral("1001"));
    EXPECT_EQ(lines().first(), QStringLiteral("0001-00 Titel 1"));
    EXPECT_EQ(lines().last(), QStringLiteral("1001-00 Titel 1001"));
    EXPECT_EQ(currentTape(), QStringLiteral("1001-00"));
}

TEST_F(ContentSearch, AnEmptyKeywordReportsTheMissingSearchAndKeepsTheCount)
{
    addDescribed();
    open();
    search(QString::fromUtf8("æble"));
    ASSERT_EQ(form->Label10->text(), QStringLiteral("3"));
    search(QString());
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral("No initial Find/Locate done first")});
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(form->Label10->text(), QStringLiteral("3"));
}

TEST_F(ContentSearch, AnEmptyCatalogueCountsNothingWithoutAnError)
{
    open();
    form->Label10->setText(QStringLiteral("7"));
    search(QString());
    EXPECT_EQ(form->Label10->text(), QStringLiteral("0"));
    search(QStringLiteral("x"));
    EXPECT_EQ(form->Label10->text(), QStringLiteral("0"));
}

TEST_F(ContentSearch, ClickingALineMovesTheTapeAndShowsIt)
{
    addDescribed();
    open();
    search(QString::fromUtf8("æble"));
    clickLine(1);
    EXPECT_EQ(currentTape(), QStringLiteral("0003-00"));
    EXPECT_EQ(form->DBText1->text(), QString::fromUtf8("Bønder"));
    EXPECT_EQ(form->VisFundneMemo->toPlainText(), QString::fromUtf8("ÆBLETRÆER i haven"));
    QTest::keyClick(form->ListBox1, Qt::Key_Up);
    EXPECT_EQ(currentTape(), QStringLiteral("0001-00")) << "the arrow keys choose a line too";
    form->close();
    form.reset();
    EXPECT_EQ(currentTape(), QStringLiteral("0001-00")) << "stays after closing";
}

TEST_F(ContentSearch, AClickInAnEmptyListDoesNothing)
{
    addDescribed();
    video().Last();
    open();
    QTest::mouseClick(form->ListBox1->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    form->ListBox1->setFocus();
    EXPECT_EQ(currentTape(), QStringLiteral("0004-00"));
    EXPECT_TRUE(dialogs().shown.empty());
}

TEST_F(ContentSearch, ALineLocatesTheWholeTapeNumber)
{
    addTape(QStringLiteral("9999-00"), QStringLiteral("Før"), {{"Indhold", QStringLiteral("hund")}});
    addTape(QStringLiteral("10000-00"), QStringLiteral("Efter"), {{"Indhold", QStringLiteral("hund")}});
    addTape(QStringLiteral("12"), QStringLiteral("Kort"), {{"Indhold", QStringLiteral("hund")}});
    open();
    search(QStringLiteral("hund"));
    ASSERT_EQ(lines(), (QStringList{"10000-00 Efter", "12 Kort", "9999-00 Før"}));
    for (int row : {0, 1, 2}) {
        clickLine(row);
        EXPECT_EQ(currentTape() + QLatin1Char(' ') + video().FieldByName(QStringLiteral("Titel")).AsString(),
                  lines().at(row));
    }
}

struct ContentTextsCase {
    int language;
    const char* caption;
    const char* label77;
    const char* label59;
    const char* label11;
    const char* button;
};

const ContentTextsCase kContentTextsCases[] = {
    {-1, "Indhold", "Søgeord", "Indhold af", "Fundne titler", "Søg"},
    {0, "Content", "Search word", "Content of", "Titles found", "Search"},
    {1, "Indhold", "Søgeord", "Indhold af", "Fundne titler", "Søk"},
    {2, "Indhold", "Søgeord", "Indhold af", "Fundne titler", "Sök"},
    {3, "Inhalt", "Suchwort", "Inhalt von", "Gefundene Titel", "Suchen"},
};

class ContentTexts : public ContentSearch, public ::testing::WithParamInterface<ContentTextsCase> {};

TEST_P(ContentTexts, FollowTheLanguageName)
{
    const ContentTextsCase& c = GetParam();
    useLanguage(c.language);
    open();
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8(c.caption)) << c.language;
    EXPECT_EQ(form->Label77->text(), QString::fromUtf8(c.label77));
    EXPECT_EQ(form->Label59->text(), QString::fromUtf8(c.label59));
    EXPECT_EQ(form->Label11->text(), QString::fromUtf8(c.label11));
    EXPECT_EQ(form->FindButton->text(), QString::fromUtf8(c.button));
}

INSTANTIATE_TEST_SUITE_P(Languages, ContentTexts, ::testing::ValuesIn(kContentTextsCases),
                         [](const auto& info) { return testing_support::languageName(info.param.language); });

TEST_F(ContentSearch, AnUnknownLanguageNameKeepsTheTranslatedDesign)
{
    useLanguage(0);
    forms::appContext().languageLabel = [] { return QStringLiteral("Klingon"); };
    open();
    EXPECT_EQ(form->Label11->text(), QStringLiteral("Titles found")) << "from the language file";
    EXPECT_EQ(form->Label59->text(), QStringLiteral("Content of ")) << "the file's text, not the table's";
}

TEST_F(ContentSearch, AnEditOfTheShownDescriptionSurvivesTheNextSearch)
{
    addDescribed();
    open();
    search(QString::fromUtf8("æble"));
    ASSERT_EQ(currentTape(), QStringLiteral("0004-00"));
    form->VisFundneMemo->setFocus();
    form->VisFundneMemo->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->VisFundneMemo, QStringLiteral(" og en pose"));
    // The search button takes no focus, so the memo still holds the typed text when it is pressed.
    search(QStringLiteral("sol"));
    EXPECT_EQ(currentTape(), QStringLiteral("0002-00"));
    ASSERT_TRUE(video().Locate(QStringLiteral("TapeNr"), QStringLiteral("0004-00")));
    EXPECT_EQ(video().FieldByName(QStringLiteral("Indhold")).AsString(), QString::fromUtf8("Det sidste æble og en pose"));
    EXPECT_TRUE(takeErrors().isEmpty());
}
