// The add and delete commands of the lookup windows: the boxes they show per member and
// language, what they store, and what the table engine refuses.
#include "LookupFixture.h"

#include "dbctrls/DBGrid.h"
#include "engine/Field.h"
#include "engine/Table.h"
#include "forms/FormSkuespil.h"
#include "forms/InstruktorForm.h"
#include "forms/KatForm.h"
#include "forms/OptagerForm.h"
#include "forms/TyperForm.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace lookuptest;
using forms::LookupMember;

namespace {

QAction* addItemOf(const forms::TLookupForm& window)
{
    return window.findChild<QAction*>(QString::fromLatin1(window.member().addItem.name));
}

QAction* deleteItemOf(const forms::TLookupForm& window)
{
    return window.findChild<QAction*>(QString::fromLatin1(window.member().deleteItem.name));
}

struct AddCase {
    LookupMember member;
    int language;
    const char* caption;
    const char* prompt;
};

class AddBox : public LookupTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddBox, AsksWithTheMembersCaptionAndPromptAndStoresTheAnswer)
{
    const AddCase& c = GetParam();
    setLanguage(c.language);
    addEntries(c.member, {QStringLiteral("Alfa")});
    forms::TLookupForm& form = open(c.member);
    dialogs().inputAnswers.push_back(QStringLiteral("Bravo"));

    trigger(addItemOf(form));

    ASSERT_EQ(dialogs().shown.size(), 1u);
    EXPECT_EQ(dialogs().shown[0].kind, QStringLiteral("input"));
    EXPECT_EQ(dialogs().shown[0].caption, QString::fromUtf8(c.caption));
    EXPECT_EQ(dialogs().shown[0].text, QString::fromUtf8(c.prompt));
    EXPECT_EQ(dialogs().shown[0].extra, QString());
    EXPECT_EQ(entries(c.member), (QStringList{"Alfa", "Bravo"}));
    EXPECT_EQ(tableOf(c.member).State(), engine::DataSetState::Browse);
    EXPECT_EQ(gridTexts(), (QStringList{"Alfa", "Bravo"}));
}

INSTANTIATE_TEST_SUITE_P(
    PerMemberAndLanguage, AddBox,
    ::testing::Values(AddCase{LookupMember::Category, -1, "Tilføj ny kategori", "Hvad skal kategorien hedde:"},
                      AddCase{LookupMember::Category, 3, "Tilføj ny kategori", "Hvad skal kategorien hedde:"},
                      AddCase{LookupMember::Type, -1, "Tilføj ny type", "Hvad skal typen hedde:"},
                      AddCase{LookupMember::Type, 0, "Add new type", "Hvad skal typen hedde:"},
                      AddCase{LookupMember::Type, 1, "Tilføy ny type", "Hvad skal typen hedde:"},
                      AddCase{LookupMember::Type, 2, "Tilföj ny type", "Hvad skal typen hedde:"},
                      AddCase{LookupMember::Type, 3, "Neuen Typ hinzufügen", "Wie heisst der Typ:"},
                      AddCase{LookupMember::Director, 2, "Tilføj ny instruktør", "Hvad hedder instruktøren:"},
                      AddCase{LookupMember::Actor, 0, "Add new actor", "Name of actor:"},
                      AddCase{LookupMember::Actor, 1, "Tilføj ny skuespiller", "Hvad hedder skuespilleren:"},
                      AddCase{LookupMember::Actor, 3, "Einen neuen Schauspieler hinzufügen",
                              "Wie heisst der Schauspieler?"},
                      AddCase{LookupMember::RecordedBy, 0, "Tilføj et navn", "Skriv personens navn:"}),
    [](const auto& info) {
        return std::string(forms::lookupMember(info.param.member).objectName) + "_" + languageName(info.param.language);
    });

TEST_F(LookupTest, AnEmptyOrCancelledAnswerAddsNothing)
{
    addEntries(LookupMember::Type, {QStringLiteral("VHS")});
    auto& form = static_cast<forms::TTyperForm&>(open(LookupMember::Type));
    dialogs().inputAnswers = {QString(), std::nullopt};

    trigger(form.Tilfj1);
    trigger(form.Tilfj1);

    EXPECT_EQ(dialogs().texts(QStringLiteral("input")).size(), 2);
    EXPECT_EQ(entries(LookupMember::Type), QStringList{"VHS"});
    EXPECT_EQ(tableOf(LookupMember::Type).State(), engine::DataSetState::Browse);
    EXPECT_EQ(gridTexts(), QStringList{"VHS"});
}

TEST_F(LookupTest, ANewEntryTakesItsPlaceInTheListsOrder)
{
    addEntries(LookupMember::Actor, {QStringLiteral("Bo"), QStringLiteral("Åse")});
    auto& form = static_cast<forms::TFormSkuespil&>(open(LookupMember::Actor));
    dialogs().inputAnswers = {QStringLiteral("Øjvind"), QStringLiteral("anna")};

    trigger(form.Tilfoj1);
    trigger(form.Tilfoj1);

    EXPECT_EQ(gridTexts(), (QStringList{"anna", "Bo", "Øjvind", "Åse"}));
    EXPECT_EQ(tableOf(LookupMember::Actor).FieldByName(QStringLiteral("Skuespiller")).AsString(), QStringLiteral("anna"));
}

TEST_F(LookupTest, ADuplicateIsRefusedAndStaysInInsertStateUntilCancelled)
{
    addEntries(LookupMember::Category, {QStringLiteral("Drama")});
    auto& form = static_cast<forms::TKatForm&>(open(LookupMember::Category));
    dialogs().inputAnswers.push_back(QStringLiteral("Drama"));

    trigger(form.Tilfj1);

    EXPECT_EQ(takeErrors(), QStringList{"Key violation."});
    engine::Table& kat = tableOf(LookupMember::Category);
    EXPECT_EQ(kat.State(), engine::DataSetState::Insert);
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 2);

    form.DBGrid1->setFocus();
    QTest::keyClick(form.DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(kat.State(), engine::DataSetState::Browse);
    EXPECT_EQ(gridTexts(), QStringList{"Drama"});
    EXPECT_TRUE(form.isVisible()) << "Escape belongs to the grid, it does not close the window";
}

TEST_F(LookupTest, ARefusedAdditionLeftAsItWasDoesNotOutliveTheWindow)
{
    addEntries(LookupMember::Category, {QStringLiteral("Drama")});
    {
        auto& form = static_cast<forms::TKatForm&>(open(LookupMember::Category));
        dialogs().inputAnswers.push_back(QStringLiteral("Drama"));
        trigger(form.Tilfj1);
        EXPECT_EQ(takeErrors(), QStringList{"Key violation."});
        form.close();
        window.reset();
    }
    EXPECT_EQ(tableOf(LookupMember::Category).State(), engine::DataSetState::Browse);

    // Posting a tape adds its new category: nothing refused is left in the way.
    dm->VideoTable->Insert();
    dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    dm->VideoTable->FieldByName(QStringLiteral("Kategori")).SetAsString(QStringLiteral("Komedie"));
    dm->VideoTable->Post();
    EXPECT_EQ(entries(LookupMember::Category), (QStringList{"Drama", "Komedie"}));
}

TEST_F(LookupTest, AnEditTypedIntoTheGridIsStoredWhenTheWindowCloses)
{
    addEntries(LookupMember::RecordedBy, {QStringLiteral("Ole"), QStringLiteral("Pia")});
    forms::TLookupForm& form = open(LookupMember::RecordedBy);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.DBGrid1->setFocus();
    form.DBGrid1->setCurrentIndex(form.DBGrid1->model()->index(0, 0));
    QTest::keyClick(form.DBGrid1, Qt::Key_F2);
    ASSERT_TRUE(form.DBGrid1->cellEditorOpen());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Olga"));

    form.close();
    window.reset();

    engine::Table& table = tableOf(LookupMember::RecordedBy);
    EXPECT_EQ(table.State(), engine::DataSetState::Browse);
    table.Close();
    table.Open();
    EXPECT_EQ(entries(LookupMember::RecordedBy), (QStringList{"Olga", "Pia"}));
}

struct DeleteCase {
    LookupMember member;
    int language;
    const char* entry;
    const char* question;
};

class DeleteQuestion : public LookupTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteQuestion, IsPrefixEntryAndQuestionMarkAndYesDeletes)
{
    const DeleteCase& c = GetParam();
    setLanguage(c.language);
    const QString entry = QString::fromUtf8(c.entry);
    addEntries(c.member, {QStringLiteral("Aaa"), entry, QStringLiteral("Zzz")});
    forms::TLookupForm& form = open(c.member);
    ASSERT_TRUE(tableOf(c.member).Locate(QString::fromLatin1(form.member().listField), entry));
    dialogs().confirmAnswers.push_back(true);

    trigger(deleteItemOf(form));

    ASSERT_EQ(dialogs().shown.size(), 1u);
    EXPECT_EQ(dialogs().shown[0].kind, QStringLiteral("confirm"));
    EXPECT_EQ(dialogs().shown[0].text, QString::fromUtf8(c.question));
    EXPECT_EQ(dialogs().shown[0].extra, QStringLiteral("YesNo"));
    EXPECT_EQ(entries(c.member), (QStringList{"Aaa", "Zzz"}));
    EXPECT_EQ(gridTexts(), (QStringList{"Aaa", "Zzz"}));
}

INSTANTIATE_TEST_SUITE_P(
    PerMemberAndLanguage, DeleteQuestion,
    ::testing::Values(
        DeleteCase{LookupMember::Category, -1, "Drama", "Vil du slette kategorien Drama?"},
        DeleteCase{LookupMember::Category, 0, "Drama", "Do you really want to erase this category Drama?"},
        DeleteCase{LookupMember::Category, 1, "Drama", "Vil du fjerne kategorien Drama?"},
        DeleteCase{LookupMember::Category, 3, "Drama", "Möchten Sie dieser Kategorie löschen? Drama?"},
        DeleteCase{LookupMember::Type, 1, "DVD", "Vil du fjerne typen DVD?"},
        DeleteCase{LookupMember::Type, 3, "DVD", "Möchten Sie diesen Typ löschen? DVD?"},
        DeleteCase{LookupMember::Director, 0, "Lars von Trier", "Do you really want to erase the instructor Lars von Trier?"},
        DeleteCase{LookupMember::Director, 2, "Lars von Trier", "Vil du radera instruktören Lars von Trier?"},
        DeleteCase{LookupMember::Actor, -1, "Bodil Kjer", "Vil du slette skuespilleren Bodil Kjer?"},
        DeleteCase{LookupMember::Actor, 2, "Bodil Kjer", "Vil du radera skådespelaren Bodil Kjer?"},
        DeleteCase{LookupMember::Actor, 3, "Bodil Kjer", "Möchten Sie den Schauspieler löschen? Bodil Kjer?"},
        DeleteCase{LookupMember::RecordedBy, 0, "Ole", "Do you really want to erase this name Ole?"},
        DeleteCase{LookupMember::RecordedBy, 3, "Ole", "Möchten Sie dieser Nahme löschen? Ole?"}),
    [](const auto& info) {
        return std::string(forms::lookupMember(info.param.member).objectName) + "_" + languageName(info.param.language);
    });

TEST_F(LookupTest, AnsweringNoKeepsTheEntry)
{
    addEntries(LookupMember::Director, {QStringLiteral("Bille August")});
    auto& form = static_cast<forms::TInstruktorForm&>(open(LookupMember::Director));
    dialogs().confirmAnswers.push_back(false);

    trigger(form.Slet1);

    EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")), QStringList{QString::fromUtf8("Vil du slette instruktøren Bille August?")});
    EXPECT_EQ(entries(LookupMember::Director), QStringList{"Bille August"});
}

TEST_F(LookupTest, DeletingFromAnEmptyTableAsksWithAnEmptyEntryAndTheEngineRefuses)
{
    auto& form = static_cast<forms::TOptagerForm&>(open(LookupMember::RecordedBy));
    dialogs().confirmAnswers.push_back(true);

    trigger(form.Slet1);

    EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")), QStringList{"Vil du slette navnet ?"});
    EXPECT_EQ(takeErrors(), QStringList{"Cannot perform this operation on an empty dataset"});
    EXPECT_TRUE(entries(LookupMember::RecordedBy).isEmpty());
    EXPECT_EQ(tableOf(LookupMember::RecordedBy).State(), engine::DataSetState::Browse);
}

// The category, type and recorded-by windows read the language label; the director and
// actor windows the active index. The two always agree in the program; here they differ.
TEST_F(LookupTest, DeleteQuestionsFollowTheLabelOrTheIndexAsTheMemberSays)
{
    labelOverride = QStringLiteral("Deutsch");
    const struct {
        LookupMember member;
        const char* question;
    } cases[] = {
        {LookupMember::Category, "Möchten Sie dieser Kategorie löschen? X?"},
        {LookupMember::Type, "Möchten Sie diesen Typ löschen? X?"},
        {LookupMember::Director, "Vil du slette instruktøren X?"},
        {LookupMember::Actor, "Vil du slette skuespilleren X?"},
        {LookupMember::RecordedBy, "Möchten Sie dieser Nahme löschen? X?"},
    };
    for (const auto& c : cases) {
        addEntries(c.member, {QStringLiteral("X")});
        forms::TLookupForm& form = open(c.member);
        dialogs().clear();
        trigger(deleteItemOf(form));
        EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")), QStringList{QString::fromUtf8(c.question)})
            << form.objectName().toStdString();
    }
}

TEST_F(LookupTest, ALabelNamingNoLanguageFallsBackToTheIndex)
{
    setLanguage(1);
    labelOverride = QStringLiteral("Klingon");
    addEntries(LookupMember::Category, {QStringLiteral("Drama")});
    auto& form = static_cast<forms::TKatForm&>(open(LookupMember::Category));

    trigger(form.Sletaktuellekategori1);

    EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")), QStringList{"Vil du fjerne kategorien Drama?"});
    EXPECT_EQ(form.Tilfj1->text(), QString::fromUtf8("Tilføy"));
}

TEST_F(LookupTest, ADeletedCategoryInUseLeavesTheTapesAndReturnsWhenOneIsPosted)
{
    engine::Table& video = *dm->VideoTable;
    for (const char* tape : {"0001-00", "0002-00"}) {
        video.Insert();
        video.FieldByName(QStringLiteral("TapeNr")).SetAsString(QString::fromLatin1(tape));
        video.FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Film ") + QString::fromLatin1(tape));
        video.FieldByName(QStringLiteral("Kategori")).SetAsString(QStringLiteral("Drama"));
        video.Post();
    }
    addEntries(LookupMember::Category, {QStringLiteral("Action")});
    ASSERT_EQ(entries(LookupMember::Category), (QStringList{"Action", "Drama"}));
    auto& form = static_cast<forms::TKatForm&>(open(LookupMember::Category));
    ASSERT_TRUE(tableOf(LookupMember::Category).Locate(QStringLiteral("Kategori"), QStringLiteral("Drama")));
    dialogs().confirmAnswers.push_back(true);

    trigger(form.Sletaktuellekategori1);

    EXPECT_EQ(entries(LookupMember::Category), QStringList{"Action"});
    for (int row = 0; row < video.RowCount(); ++row)
        EXPECT_EQ(video.DisplayText(row, video.FieldByName(QStringLiteral("Kategori")).Index()), QStringLiteral("Drama"));

    video.First();
    video.Edit();
    video.FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Film igen"));
    video.Post();
    EXPECT_EQ(entries(LookupMember::Category), (QStringList{"Action", "Drama"}));
    EXPECT_EQ(gridTexts(), (QStringList{"Action", "Drama"}));
}

} // namespace
