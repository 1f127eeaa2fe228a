// Cast editing: the prompts and questions per language, adding by name and from the actor
// list, deleting, saving, and a cast member of a tape that is not yet stored.
#include "RegFixture.h"

#include "dbctrls/DBEdit.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBLookupListModel.h"
#include "engine/Field.h"
#include "engine/Table.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

using namespace regtest;

namespace {

struct PromptCase {
    int language;
    const char* nameCaption;
    const char* namePrompt;
    const char* roleCaption;
    const char* rolePrompt;
    const char* deletePrefix;
    const char* chosenCaption;
    const char* chosenPrefix;
};

const PromptCase kPromptCases[] = {
    {-1, "Tilføj en skuespiller", "Hvad hedder skuespilleren:", "Rolle eller navn i filmen",
     "Hvilken rolle har skuespilleren:", "Vil du slette skuespilleren ", "Rolle eller navn i filmen", "Hvilken rolle har "},
    {0, "Add an actor", "Type the name of the actor:", "Part or name in movie", "Which part does the actor play:",
     "Do you really want to erase the actor ", "Rolle eller navn i filmen", "Hvilken rolle har "},
    {1, "Tilføy en skuespiller", "Hvad hedder skuespilleren:", "Rolle eller navn i filmen",
     "Hvilken rolle har skuespilleren:", "Vil du fjerne skuespilleren ", "Rolle eller navn i filmen", "Hvilken rolle har "},
    {2, "Tilføj en skådespelare", "Namn på skådespelaren:", "Rolle eller namn i filmen",
     "Hvilken rolle har skådespelaren:", "Vil du radera skådespelaren ", "Rolle eller navn i filmen",
     "Hvilken rolle har "},
    {3, "Einen neuen Schauspieler hinzufügen", "Wie heisst der Schauspieler?", "Rolle oder Name im Film",
     "Welche Rolle hat der Schauspieler?", "Möchten Sie den Schauspieler löschen? ", "Rolle oder Name im Film",
     "Welche Rolle hat "},
};

class CastPrompt : public RegFixture, public ::testing::WithParamInterface<PromptCase> {
protected:
    void SetUp() override
    {
        RegFixture::SetUp();
        addTape(QStringLiteral("0007-00"), QStringLiteral("Syv"));
        useLanguage(GetParam().language);
        regForm();
    }
    static QString s(const char* utf8) { return QString::fromUtf8(utf8); }
};

} // namespace

TEST_P(CastPrompt, AddByNameAsksNameThenRole)
{
    dialogs().inputAnswers = {QStringLiteral("Bo"), QStringLiteral("Helten")};
    QTest::mouseClick(form->SpeedButton6, Qt::LeftButton);
    ASSERT_EQ(dialogs().shown.size(), 2u);
    EXPECT_EQ(dialogs().shown[0].caption, s(GetParam().nameCaption));
    EXPECT_EQ(dialogs().shown[0].text, s(GetParam().namePrompt));
    EXPECT_EQ(dialogs().shown[0].extra, QString()) << "empty default";
    EXPECT_EQ(dialogs().shown[1].caption, s(GetParam().roleCaption));
    EXPECT_EQ(dialogs().shown[1].text, s(GetParam().rolePrompt));
    EXPECT_EQ(column(*dm->MedvirkTable, "Skuespiller"), QStringList{QStringLiteral("Bo")});
    EXPECT_EQ(column(*dm->MedvirkTable, "Rolle"), QStringList{QStringLiteral("Helten")});
    EXPECT_EQ(column(*dm->MedvirkTable, "Tapenr"), QStringList{QStringLiteral("0007-00")});
    EXPECT_EQ(column(*dm->MedvirkTable, "Titel"), QStringList{QStringLiteral("Syv")});
    EXPECT_TRUE(dm->SkuespilTable->Locate(QStringLiteral("Skuespiller"), QStringLiteral("Bo")));
}

TEST_P(CastPrompt, DeleteAsksWithThePrefixNameAndQuestionMark)
{
    addCast(QStringLiteral("Bo"));
    dialogs().confirmAnswers = {false};
    QTest::mouseClick(form->SpeedButton7, Qt::LeftButton);
    EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")), QStringList{s(GetParam().deletePrefix) + QStringLiteral("Bo?")});
    EXPECT_EQ(dm->MedvirkTable->RecordCount(), 1) << "No keeps the cast member";
    dialogs().confirmAnswers = {true};
    QTest::mouseClick(form->SpeedButton7, Qt::LeftButton);
    EXPECT_EQ(dm->MedvirkTable->RecordCount(), 0);
}

TEST_P(CastPrompt, ChoosingAKnownActorAsksOnlyTheRole)
{
    dm->SkuespilTable->Insert();
    dm->SkuespilTable->FieldByName(QStringLiteral("Skuespiller")).SetAsString(QStringLiteral("Bo"));
    dm->SkuespilTable->Post();
    dialogs().inputAnswers = {QStringLiteral("Skurken"), std::nullopt};
    const int row = form->DBLookupComboBox10->listModel()->rowOfKey(QStringLiteral("Bo"));
    form->DBLookupComboBox10->chooseRow(row);
    form->DBLookupComboBox10->chooseRow(row);
    ASSERT_EQ(dialogs().shown.size(), 2u);
    EXPECT_EQ(dialogs().shown[0].caption, s(GetParam().chosenCaption));
    EXPECT_EQ(dialogs().shown[0].text, s(GetParam().chosenPrefix) + QStringLiteral("Bo")) << "no question mark";
    EXPECT_EQ(column(*dm->MedvirkTable, "Skuespiller"), (QStringList{QStringLiteral("Bo"), QStringLiteral("Bo")}))
        << "the same actor twice gives two cast members";
    EXPECT_EQ(column(*dm->MedvirkTable, "Rolle"), (QStringList{QStringLiteral("Skurken"), QString()}))
        << "a cancelled role is empty";
    EXPECT_EQ(form->DBLookupComboBox10->currentText(), QStringLiteral("Bo")) << "the list keeps showing the choice";
}

INSTANTIATE_TEST_SUITE_P(Languages, CastPrompt, ::testing::ValuesIn(kPromptCases),
                         [](const auto& info) { return "Language" + std::to_string(info.param.language + 1); });

TEST_F(RegFixture, CancellingTheNameAddsNobodyCancellingTheRoleAddsAnEmptyRole)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("En"));
    regForm();
    dialogs().inputAnswers = {std::nullopt};
    QTest::mouseClick(form->SpeedButton6, Qt::LeftButton);
    dialogs().inputAnswers = {QString()};
    QTest::mouseClick(form->SpeedButton6, Qt::LeftButton);
    EXPECT_EQ(dialogs().texts(QStringLiteral("input")).size(), 2) << "no role asked after an empty name";
    EXPECT_EQ(dm->MedvirkTable->RecordCount(), 0);
    dialogs().inputAnswers = {QStringLiteral("Bo"), std::nullopt};
    QTest::mouseClick(form->SpeedButton6, Qt::LeftButton);
    EXPECT_EQ(column(*dm->MedvirkTable, "Rolle"), QStringList{QString()});
}

TEST_F(RegFixture, SaveStoresARoleTypedIntoTheCastGrid)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("En"));
    addCast(QStringLiteral("Bo"), QStringLiteral("Helten"));
    regForm();
    dm->MedvirkTable->Edit();
    dm->MedvirkTable->FieldByName(QStringLiteral("Rolle")).SetAsString(QStringLiteral("Skurken"));
    QTest::mouseClick(form->SpeedButton8, Qt::LeftButton);
    EXPECT_FALSE(dm->MedvirkTable->Editing());
    EXPECT_EQ(allCast("Rolle"), QStringList{QStringLiteral("Skurken")});
    QTest::mouseClick(form->SpeedButton8, Qt::LeftButton);
    EXPECT_TRUE(takeErrors().isEmpty()) << "nothing to save does nothing";
}

TEST_F(RegFixture, DeletingFromAnEmptyCastIsRefusedByTheStore)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("En"));
    regForm();
    dialogs().confirmAnswers = {true};
    QTest::mouseClick(form->SpeedButton7, Qt::LeftButton);
    EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")), QStringList{QStringLiteral("Vil du slette skuespilleren ?")});
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral("Cannot perform this operation on an empty dataset")});
}

TEST_F(RegFixture, ACastMemberOfABrandNewTapeBelongsToIt)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("En"));
    showRegForm();
    QTest::mouseClick(form->SpeedButton3, Qt::LeftButton);
    form->DBEdit3->setFocus();
    QTest::keyClicks(form->DBEdit3, QStringLiteral("To"));
    dialogs().inputAnswers = {QStringLiteral("Bo"), QStringLiteral("Helten")};
    QTest::mouseClick(form->SpeedButton6, Qt::LeftButton);
    EXPECT_EQ(dm->VideoTable->State(), engine::DataSetState::Browse) << "the tape was stored first";
    EXPECT_EQ(text(*dm->VideoTable, "TapeNr"), QStringLiteral("0002-00"));
    EXPECT_EQ(allCast("Tapenr"), QStringList{QStringLiteral("0002-00")});
    EXPECT_EQ(allCast("Titel"), QStringList{QStringLiteral("To")});
    EXPECT_EQ(form->DBGrid4->model()->rowCount(), 1);
}

TEST_F(RegFixture, ACastMemberIsNotAddedWhenTheTapeCannotBeStored)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("En"));
    showRegForm();
    typeNewTape(QStringLiteral("0001-00"), QStringLiteral("Dublet"));
    dialogs().inputAnswers = {QStringLiteral("Bo"), QStringLiteral("Helten")};
    QTest::mouseClick(form->SpeedButton6, Qt::LeftButton);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral("Key violation.")});
    EXPECT_EQ(dm->VideoTable->State(), engine::DataSetState::Insert);
    EXPECT_FALSE(dm->MedvirkTable->Editing());
    EXPECT_TRUE(allCast("Skuespiller").isEmpty());
}
