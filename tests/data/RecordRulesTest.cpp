#include "DataFixture.h"
#include "core/Errors.h"

using engine::DataSetState;

class RecordRules : public DataFixture {};

TEST_F(RecordRules, PostComputesTheDurationFromStartAndEnd)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Film"), {{"Start", "01:30"}, {"Slut", "02:45"}});
    EXPECT_EQ(text(*dm->VideoTable, "Varighed"), QStringLiteral("01:15:00"));

    dm->VideoTable->Edit();
    dm->VideoTable->FieldByName(QStringLiteral("Slut")).SetAsString(QString());
    dm->VideoTable->Post();
    EXPECT_EQ(text(*dm->VideoTable, "Varighed"), QStringLiteral("01:15:00")) << "only a start keeps the old duration";
}

TEST_F(RecordRules, AnInvalidTimeRefusesThePostAndKeepsTheEntries)
{
    engine::Table& video = *dm->VideoTable;
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    video.FieldByName(QStringLiteral("Start")).SetAsString(QStringLiteral("0130"));
    video.FieldByName(QStringLiteral("Slut")).SetAsString(QStringLiteral("02:45"));
    try {
        video.Post();
        FAIL() << "posted";
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'0130' is not a valid time"));
    }
    EXPECT_EQ(video.State(), DataSetState::Insert);
    EXPECT_EQ(text(video, "Start"), QStringLiteral("0130"));
    video.FieldByName(QStringLiteral("Start")).SetAsString(QStringLiteral("01:30"));
    video.Post();
    EXPECT_EQ(video.RecordCount(), 1);
}

struct TapeNumberCase {
    const char* tapeNr;
    bool stored;
    bool tooLong = true; ///< refused for its length, else for a control character
};

const TapeNumberCase kTapeNumbers[] = {
    {"0001-00", true},   {"abc", true},        {"1234567", true},      {"10000-00", true},
    {"1234567890123456789-00", true},          {"0002-00xLONGNUMBER", false},
    {"12345678", false}, {"10000-01", false},  {"12345678901234567890-00", false},
    {"\x01\x02", false, false}, {"00\t1-00", false, false}, {"003-00\n", false, false},
};

class TapeNumberLength : public DataFixture, public ::testing::WithParamInterface<TapeNumberCase> {};

TEST_P(TapeNumberLength, ANumberLongerThanTheNumberingGivesIsRefusedWithAClearMessage)
{
    engine::Table& video = *dm->VideoTable;
    const TapeNumberCase& c = GetParam();
    const QString tapeNr = QString::fromUtf8(c.tapeNr);
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(tapeNr);
    try {
        video.Post();
        EXPECT_TRUE(c.stored) << c.tapeNr;
    } catch (const core::EDatabaseError& e) {
        EXPECT_FALSE(c.stored) << c.tapeNr;
        EXPECT_EQ(e.message(), c.tooLong ? QStringLiteral("Båndnummeret '%1' er for langt: et båndnummer har højst 7 tegn.").arg(tapeNr)
                                         : QStringLiteral("Båndnummeret må ikke indeholde styretegn (tabulator, linjeskift o.l.)."));
        EXPECT_EQ(video.State(), DataSetState::Insert) << "the entry stays for the user to correct";
        video.Cancel();
    }
    EXPECT_EQ(video.Locate(QStringLiteral("TapeNr"), tapeNr), c.stored) << c.tapeNr;
}

INSTANTIATE_TEST_SUITE_P(RecordRules, TapeNumberLength, ::testing::ValuesIn(kTapeNumbers));

struct EanCase { const char* ean; const char* refusal; }; // refusal nullptr: stored

const char kEanForm[] = "EAN-koden '%1' kan ikke gemmes: en EAN-kode er 13 cifre (UPC-A 12 cifre) og intet andet.";
const char kEanCheck[] = "EAN-koden '%1' kan ikke gemmes: kontrolcifferet (det sidste ciffer) passer ikke. "
                         "Se efter om koden er tastet rigtigt.";

const EanCase kEans[] = {
    {"5701234567899", nullptr}, {"4006381333931", nullptr}, {"036000291452", nullptr}, {"", nullptr},
    {"5701234567898", kEanCheck}, {"036000291453", kEanCheck}, {"0360002914520", kEanCheck},
    {"57012345678A9", kEanForm}, {"570123456789", kEanCheck}, {"57012345678", kEanForm},
    {"57012345678990", kEanForm}, {"5701234 567899", kEanForm}, {"570123456789\n", kEanForm},
};

class EanRule : public DataFixture, public ::testing::WithParamInterface<EanCase> {};

TEST_P(EanRule, AnEanIsStoredOnlyWithItsRightCheckDigit)
{
    engine::Table& video = *dm->VideoTable;
    const EanCase& c = GetParam();
    const QString ean = QString::fromUtf8(c.ean);
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    video.FieldByName(QStringLiteral("EAN")).SetAsString(ean);
    QString refusal;
    try {
        video.Post();
    } catch (const core::EDatabaseError& e) {
        refusal = e.message();
    }
    EXPECT_EQ(refusal, c.refusal ? QString::fromUtf8(c.refusal).arg(ean) : QString()) << c.ean;
}

INSTANTIATE_TEST_SUITE_P(RecordRules, EanRule, ::testing::ValuesIn(kEans));

TEST_F(RecordRules, LookupValuesAreAddedExactlyWhenNew)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"), {{"Kategori", "Drama"}, {"Instruktor", "Dreyer"}, {"Optagetaf", "Bo"}});
    addTape(QStringLiteral("0002-00"), QStringLiteral("B"), {{"Kategori", "Drama"}});
    addTape(QStringLiteral("0003-00"), QStringLiteral("C"), {{"Kategori", "drama"}});
    addTape(QStringLiteral("0004-00"), QStringLiteral("D"));
    EXPECT_EQ(column(*dm->KatTable, QStringLiteral("Kategori")), (QStringList{"Drama", "drama"}));
    EXPECT_EQ(column(*dm->InstruktorTable, QStringLiteral("Instruktor")), QStringList{"Dreyer"});
    EXPECT_EQ(column(*dm->OptagetTable, QStringLiteral("Optagetaf")), QStringList{"Bo"});
}

TEST_F(RecordRules, ADeletedCategoryReturnsWhenATapeCarryingItIsPostedAgain)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"), {{"Kategori", "Krimi"}});
    ASSERT_TRUE(dm->KatTable->Locate(QStringLiteral("Kategori"), QStringLiteral("Krimi")));
    dm->KatTable->Delete();
    EXPECT_EQ(dm->KatTable->RecordCount(), 0);
    EXPECT_EQ(text(*dm->VideoTable, "Kategori"), QStringLiteral("Krimi"));

    dm->VideoTable->Edit();
    dm->VideoTable->FieldByName(QStringLiteral("Fabrikat")).SetAsString(QStringLiteral("TDK"));
    dm->VideoTable->Post();
    EXPECT_EQ(column(*dm->KatTable, QStringLiteral("Kategori")), QStringList{"Krimi"});
}

TEST_F(RecordRules, CastRowsGetTheTitleOfTheirTapeAndKeepIt)
{
    addTape(QStringLiteral("0007-00"), QStringLiteral("Babettes gæstebud"));
    addCast(QStringLiteral("Stéphane Audran"), QStringLiteral("Babette"));
    EXPECT_EQ(text(*dm->MedvirkTable, "Titel"), QStringLiteral("Babettes gæstebud"));
    EXPECT_EQ(text(*dm->MedvirkTable, "Tapenr"), QStringLiteral("0007-00"));

    dm->VideoTable->Edit();
    dm->VideoTable->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Babette's Feast"));
    dm->VideoTable->Post();
    EXPECT_EQ(text(*dm->MedvirkTable, "Titel"), QStringLiteral("Babettes gæstebud"));
}

TEST_F(RecordRules, APostedCastRowRefreshesAllCastAndAddsTheActor)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    dm->MedvirkAllTable->SetFilter(QStringLiteral("Skuespiller = 'Bo'"));
    dm->MedvirkAllTable->SetFiltered(true);
    addCast(QStringLiteral("Bo"), QStringLiteral("Hr. Hansen"));
    addCast(QStringLiteral("Kim"));
    EXPECT_EQ(dm->MedvirkAllTable->RecordCount(), 1) << "the filter survives the refresh";
    EXPECT_EQ(column(*dm->SkuespilTable, QStringLiteral("Skuespiller")), (QStringList{"Bo", "Kim"}));
    addCast(QStringLiteral("Bo"));
    EXPECT_EQ(dm->SkuespilTable->RecordCount(), 2);
    EXPECT_EQ(dm->MedvirkAllTable->RecordCount(), 2);
    dm->MedvirkAllTable->Last();
    ASSERT_EQ(dm->MedvirkAllTable->CurrentRow(), 1);
    addCast(QStringLiteral("Bo"));
    EXPECT_EQ(dm->MedvirkAllTable->CurrentRow(), 0) << "reopened on its first row";
    EXPECT_EQ(text(*dm->SkuespilTable, "Skuespiller"), QStringLiteral("Bo")) << "left on the actor found";
}

TEST_F(RecordRules, ACastRowWithoutANameAddsNoEmptyActor)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    addCast(QString(), QStringLiteral("Statist"));
    EXPECT_EQ(dm->MedvirkTable->RecordCount(), 1);
    EXPECT_EQ(dm->SkuespilTable->RecordCount(), 0);
}

TEST_F(RecordRules, DeletingATapeAsksOnceAboutItsCastAndRemovesBothOnYes)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Keep"));
    addCast(QStringLiteral("X"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Gone"));
    for (const char* actor : {"Bo", "Kim", "Lis"})
        addCast(QString::fromLatin1(actor));
    ASSERT_EQ(dm->MedvirkTable->RecordCount(), 3);
    dm->UdlaanTable->Insert();
    dm->UdlaanTable->FieldByName(QStringLiteral("Navn")).SetAsString(QStringLiteral("Ole"));
    dm->UdlaanTable->Post();

    dialogs().confirmAnswers = {true};
    dm->VideoTable->Delete();
    EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")),
              QStringList{QStringLiteral("Der er tilknyttet 3 skuespillere til denne film!\n\rHvis du sletter denne "
                                         "film, så sletter du også alle til denne film registrerede skuespillere - er "
                                         "det OK?")});
    EXPECT_EQ(column(*dm->VideoTable, QStringLiteral("TapeNr")), QStringList{"0001-00"});
    dm->MedvirkAllTable->Close(); // another component of the file sees the change after reopening
    dm->MedvirkAllTable->Open();
    EXPECT_EQ(column(*dm->MedvirkAllTable, QStringLiteral("Skuespiller")), QStringList{"X"});
    EXPECT_EQ(column(*dm->UdlaanTable, QStringLiteral("Tapenr")), QStringList{"0002-00"}) << "loans are not touched";
}

TEST_F(RecordRules, AnsweringNoKeepsTheTapeAndItsCastSilently)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    addCast(QStringLiteral("Bo"));
    addCast(QStringLiteral("Kim"));
    dialogs().confirmAnswers = {false};
    EXPECT_THROW(dm->VideoTable->Delete(), core::EAbort);
    EXPECT_EQ(dm->VideoTable->RecordCount(), 1);
    EXPECT_EQ(dm->MedvirkTable->RecordCount(), 2);
    EXPECT_TRUE(dialogs().texts(QStringLiteral("error")).isEmpty());
}

TEST_F(RecordRules, ATapeWithoutCastIsDeletedWithoutAQuestion)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    dm->VideoTable->Delete();
    EXPECT_EQ(dm->VideoTable->RecordCount(), 0);
    EXPECT_TRUE(dialogs().texts(QStringLiteral("confirm")).isEmpty());
}

TEST_F(RecordRules, ALoanRowCarriesTheCurrentTapesNumber)
{
    addTape(QStringLiteral("0003-00"), QStringLiteral("A"));
    addTape(QStringLiteral("0004-00"), QStringLiteral("B"));
    ASSERT_TRUE(dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0003-00")));
    dm->UdlaanTable->Insert();
    EXPECT_EQ(text(*dm->UdlaanTable, "Tapenr"), QStringLiteral("0003-00"));
    dm->UdlaanTable->FieldByName(QStringLiteral("Navn")).SetAsString(QStringLiteral("Ole"));
    dm->UdlaanTable->Post();
    EXPECT_EQ(dm->UdlaanTable->RecordCount(), 1);
}

TEST_F(RecordRules, ACastMemberAddedToABrandNewTapeBelongsToIt)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Old"));
    dm->VideoTable->Insert();
    dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).SetAsString(dm->NextTapeNr());
    dm->VideoTable->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("New"));
    addCast(QStringLiteral("Bo"));
    EXPECT_EQ(dm->VideoTable->State(), DataSetState::Browse) << "the tape is stored first";
    EXPECT_EQ(text(*dm->VideoTable, "TapeNr"), QStringLiteral("0002-00"));
    EXPECT_EQ(text(*dm->MedvirkTable, "Tapenr"), QStringLiteral("0002-00"));
    EXPECT_EQ(text(*dm->MedvirkTable, "Titel"), QStringLiteral("New"));
}

TEST_F(RecordRules, ARefusedTapePostAddsNoCastRow)
{
    dm->VideoTable->Insert();
    dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    dm->VideoTable->FieldByName(QStringLiteral("Start")).SetAsString(QStringLiteral("99"));
    dm->VideoTable->FieldByName(QStringLiteral("Slut")).SetAsString(QStringLiteral("01:00"));
    EXPECT_THROW(dm->MedvirkTable->Insert(), core::EConvertError);
    EXPECT_EQ(dm->MedvirkTable->State(), DataSetState::Browse);
    dm->MedvirkAllTable->Close();
    dm->MedvirkAllTable->Open();
    EXPECT_EQ(dm->MedvirkAllTable->RecordCount(), 0);
}

TEST_F(RecordRules, LookupTablesAreLeftOnTheValueFoundOrAdded)
{
    for (const char* category : {"Drama", "Krimi", "Musik"}) {
        dm->KatTable->Insert();
        dm->KatTable->FieldByName(QStringLiteral("Kategori")).SetAsString(QString::fromLatin1(category));
        dm->KatTable->Post();
    }
    dm->KatTable->First();
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"), {{"Kategori", "Krimi"}, {"Instruktor", "Dreyer"}});
    EXPECT_EQ(text(*dm->KatTable, "Kategori"), QStringLiteral("Krimi")) << "found";
    EXPECT_EQ(text(*dm->InstruktorTable, "Instruktor"), QStringLiteral("Dreyer")) << "added";
    EXPECT_EQ(dm->KatTable->RecordCount(), 3);
}

TEST_F(RecordRules, AFailedLookupAdditionIsReportedAfterTheTapeIsWritten)
{
    // Recorded-by comes first, then category, then director: a failure at the category
    // leaves the recorded-by value added and the director not.
    dm->KatTable->Close();
    engine::Table& video = *dm->VideoTable;
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    video.FieldByName(QStringLiteral("Optagetaf")).SetAsString(QStringLiteral("Bo"));
    video.FieldByName(QStringLiteral("Kategori")).SetAsString(QStringLiteral("Drama"));
    video.FieldByName(QStringLiteral("Instruktor")).SetAsString(QStringLiteral("Dreyer"));
    EXPECT_THROW(video.Post(), core::EDatabaseError);
    EXPECT_EQ(video.State(), DataSetState::Browse);
    dm.reset();
    dm = std::make_unique<data::TDM>(folder->dataDir());
    data::DM = dm.get();
    dm->OpenTables();
    EXPECT_EQ(column(*dm->VideoTable, QStringLiteral("TapeNr")), QStringList{"0001-00"}) << "the tape is written";
    EXPECT_EQ(column(*dm->OptagetTable, QStringLiteral("Optagetaf")), QStringList{"Bo"});
    EXPECT_EQ(dm->KatTable->RecordCount(), 0);
    EXPECT_EQ(dm->InstruktorTable->RecordCount(), 0);
}

TEST_F(RecordRules, ACastDeletionThatFailsPartWayDeletesNothing)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    for (const char* actor : {"Bo", "Kim", "Lis"})
        addCast(QString::fromLatin1(actor));
    int deletions = 0;
    dm->MedvirkTable->BeforeDelete = [&deletions](engine::Table&) {
        if (++deletions == 2)
            throw core::EDatabaseError(QStringLiteral("Record locked by another user."));
    };
    dialogs().confirmAnswers = {true};
    EXPECT_THROW(dm->VideoTable->Delete(), core::EDatabaseError);
    EXPECT_EQ(deletions, 2);
    EXPECT_EQ(dm->VideoTable->RecordCount(), 1);
    EXPECT_EQ(column(*dm->MedvirkTable, QStringLiteral("Skuespiller")), (QStringList{"Bo", "Kim", "Lis"}));
    dm->MedvirkAllTable->Close();
    dm->MedvirkAllTable->Open();
    EXPECT_EQ(dm->MedvirkAllTable->RecordCount(), 3);
}
