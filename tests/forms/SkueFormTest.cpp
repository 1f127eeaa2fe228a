#include "BrowseFixture.h"
#include "TestLanguages.h"

#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBLookupListModel.h"
#include "forms/SkueForm.h"

#include <QHeaderView>
#include <QLabel>
#include <QTest>

using browsetest::BrowseTest;

namespace {

class ActorWindow : public BrowseTest {
protected:
    void SetUp() override
    {
        BrowseTest::SetUp();
        addTape(QStringLiteral("0001-00"), QStringLiteral("Ronja Røverdatter"));
        addTape(QStringLiteral("0002-00"), QStringLiteral("Babettes gæstebud"));
        addTape(QStringLiteral("0003-00"), QStringLiteral("Jagten"));
        addCast(QStringLiteral("0001-00"), QStringLiteral("Hanna Zetterberg"), QStringLiteral("Ronja"));
        addCast(QStringLiteral("0002-00"), QStringLiteral("Stéphane Audran"), QStringLiteral("Babette"));
        addCast(QStringLiteral("0003-00"), QStringLiteral("Mads Mikkelsen"), QStringLiteral("Lucas"));
        addCast(QStringLiteral("0002-00"), QStringLiteral("Mads Mikkelsen"), QStringLiteral("Gæst"));
        addCast(QStringLiteral("0003-00"), QStringLiteral("Conan O'Brien"), QStringLiteral("Sig selv"));
        video().First();
    }
    void TearDown() override
    {
        form.reset();
        BrowseTest::TearDown();
    }
    void open()
    {
        form = std::make_unique<forms::TSkueForm>();
        form->show();
    }
    void choose(const QString& actor)
    {
        const int row = form->DBLookupComboBox7->listModel()->rowOfKey(actor);
        ASSERT_GE(row, 0) << actor.toStdString();
        form->DBLookupComboBox7->chooseRow(row);
    }
    QStringList rows()
    {
        QStringList texts;
        const QAbstractItemModel* model = form->DBGrid5->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            texts << cells.join(QLatin1Char('|'));
        }
        return texts;
    }
    void clickRow(int row)
    {
        QTableView* grid = form->DBGrid5;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 1)).center());
    }

    std::unique_ptr<forms::TSkueForm> form;
};

} // namespace

TEST_F(ActorWindow, OpensOnEveryCastRowThenShowsTheChosenActorsFilms)
{
    open();
    EXPECT_EQ(form->DBGrid5->columnTitles(), (QStringList{"Titel", "Skuespiller", "Rolle"}));
    EXPECT_EQ(rows().size(), 5);
    EXPECT_EQ(form->Label26->text(), QString());
    choose(QStringLiteral("Mads Mikkelsen"));
    EXPECT_EQ(dm->MedvirkAllTable->Filter(), QStringLiteral("Skuespiller = 'Mads Mikkelsen'"));
    EXPECT_TRUE(dm->MedvirkAllTable->Filtered());
    EXPECT_EQ(rows(), (QStringList{"Jagten|Mads Mikkelsen|Lucas", "Babettes gæstebud|Mads Mikkelsen|Gæst"}));
    EXPECT_EQ(form->Label26->text(), QStringLiteral("Mads Mikkelsen har medvirket i disse film"));
}

struct ActorPhraseCase {
    int language;
    const char* phrase;
};

const ActorPhraseCase kActorPhraseCases[] = {{-1, " har medvirket i disse film"}, {0, " har medvirket i disse film"},
                                             {1, " har medvirket i disse film"}, {2, " har medvirket i disse film"},
                                             {3, " hat in diesem Film mitgemacht"}};

class ActorPhrase : public ActorWindow, public ::testing::WithParamInterface<ActorPhraseCase> {};

TEST_P(ActorPhrase, FollowsTheLanguageIndex)
{
    const ActorPhraseCase& c = GetParam();
    useLanguage(c.language);
    open();
    choose(QStringLiteral("Stéphane Audran"));
    EXPECT_EQ(form->Label26->text(), QStringLiteral("Stéphane Audran") + QString::fromLatin1(c.phrase)) << c.language;
}

INSTANTIATE_TEST_SUITE_P(Languages, ActorPhrase, ::testing::ValuesIn(kActorPhraseCases),
                         [](const auto& info) { return testing_support::languageName(info.param.language); });

TEST(ActorPhraseIndex, AnyOtherIndexLeavesTheLabel)
{
    EXPECT_EQ(forms::actorPhrase(4), QString()) << "any other index leaves the label";
    EXPECT_EQ(forms::actorPhrase(-2), QString());
}

TEST_F(ActorWindow, AnActorWithoutFilmsShowsAnEmptyGrid)
{
    dm->SkuespilTable->Insert();
    dm->SkuespilTable->FieldByName(QStringLiteral("Skuespiller")).SetAsString(QStringLiteral("Bodil Ipsen"));
    dm->SkuespilTable->Post();
    open();
    choose(QStringLiteral("Bodil Ipsen"));
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(form->Label26->text(), QStringLiteral("Bodil Ipsen har medvirket i disse film"));
}

TEST_F(ActorWindow, ANameWithAQuoteFiltersItsRows)
{
    open();
    choose(QStringLiteral("Conan O'Brien"));
    EXPECT_TRUE(takeErrors().isEmpty());
    EXPECT_EQ(dm->MedvirkAllTable->Filter(), QStringLiteral("Skuespiller = 'Conan O''Brien'"));
    EXPECT_EQ(rows(), QStringList{"Jagten|Conan O'Brien|Sig selv"});
}

TEST_F(ActorWindow, ClickingARowMakesItsFilmTheCurrentTape)
{
    open();
    choose(QStringLiteral("Mads Mikkelsen"));
    clickRow(1);
    EXPECT_EQ(currentTape(), QStringLiteral("0002-00"));
    clickRow(0);
    EXPECT_EQ(currentTape(), QStringLiteral("0003-00"));
}

TEST_F(ActorWindow, ARowWhoseTapeIsGoneLeavesTheTapeWithoutAMessage)
{
    dm->database().exec(QStringLiteral("INSERT INTO \"Medvirker\".Medvirker(Tapenr, Titel, Skuespiller, Rolle) "
                                       "VALUES ('0999-00', 'Væk', 'Hanna Zetterberg', 'Ronja')"));
    dm->MedvirkAllTable->Close();
    dm->MedvirkAllTable->Open();
    video().Locate(QStringLiteral("TapeNr"), QStringLiteral("0002-00"));
    open();
    choose(QStringLiteral("Hanna Zetterberg"));
    ASSERT_EQ(rows().size(), 2);
    clickRow(1);
    EXPECT_EQ(currentTape(), QStringLiteral("0002-00"));
    EXPECT_TRUE(dialogs().shown.empty());
}

TEST_F(ActorWindow, TheFilterStaysAfterClosingAndTheNextWindowStartsEmpty)
{
    open();
    choose(QStringLiteral("Mads Mikkelsen"));
    form->close();
    form.reset();
    EXPECT_EQ(dm->MedvirkAllTable->Filter(), QStringLiteral("Skuespiller = 'Mads Mikkelsen'"));
    EXPECT_TRUE(dm->MedvirkAllTable->Filtered());
    open();
    EXPECT_EQ(rows().size(), 2) << "the rows of the actor chosen last";
    EXPECT_EQ(form->DBLookupComboBox7->keyValue(), QString());
    EXPECT_EQ(form->Label26->text(), QString());
}

TEST_F(ActorWindow, TheGridOnlyShowsAndJumps)
{
    open();
    dialogs().confirmAnswers = {true};
    QTest::keyClick(form->DBGrid5, Qt::Key_Insert);
    QTest::keyClick(form->DBGrid5, Qt::Key_Delete);
    EXPECT_EQ(rows().size(), 5);
    EXPECT_TRUE(dialogs().shown.empty());
}
