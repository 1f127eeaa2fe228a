#include "DataFixture.h"
#include "core/Errors.h"
#include "data/Fields.h"
#include "data/TextIndex.h"
#include "common/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

class Catalogue : public DataFixture {};

TEST_F(Catalogue, TapeNrAndTapenrReachTheSameField)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    EXPECT_EQ(&dm->VideoTable->FieldByName(QStringLiteral("TapeNr")), &dm->VideoTable->FieldByName(QStringLiteral("Tapenr")));
}

TEST_F(Catalogue, EveryNamedFieldIsInItsTable)
{
    namespace f = data::fields;
    const std::pair<engine::Table*, std::vector<const char*>> tables[] = {
        {dm->VideoTable,
         {f::TapeNr, f::Titel, f::Start, f::Slut, f::Varighed, f::Type, f::Kopi, f::Laengde, f::Kategori, f::Udlaan,
          f::Instruktor, f::Optagetaf, f::OptagetDato, f::Fabrikat, f::Indhold}},
        {dm->MedvirkTable, {f::LinkTapeNr, f::Titel, f::Skuespiller, f::Rolle}},
        {dm->UdlaanTable, {f::LinkTapeNr, f::Dato, f::Navn, f::Telefon, f::Returneret}},
        {dm->KatTable, {f::Kategori}},
        {dm->TypeTable, {f::Type}},
        {dm->InstruktorTable, {f::Instruktor}},
        {dm->OptagetTable, {f::Optagetaf}},
        {dm->SkuespilTable, {f::Skuespiller}}};
    for (const auto& [table, names] : tables)
        for (const char* name : names) {
            // Spelt as the file stores it: the import and the schema write these names.
            QString stored;
            EXPECT_NO_THROW(stored = table->FieldByName(QString::fromLatin1(name)).FieldName()) << name;
            EXPECT_EQ(stored, QString::fromLatin1(name)) << table->TableName().toStdString();
        }
}

TEST_F(Catalogue, NextTapeNumberFollowsTheHighestNumberOfTheWholeTable)
{
    EXPECT_EQ(dm->NextTapeNr(), QStringLiteral("0001-00"));
    addTape(QStringLiteral("0041-00"), QStringLiteral("Zulu"), {{"Kategori", "A"}});
    EXPECT_EQ(dm->NextTapeNr(), QStringLiteral("0042-00"));
    addTape(QStringLiteral("0007-00"), QStringLiteral("Alfa"), {{"Kategori", "B"}});
    addTape(QStringLiteral("Kopi 3"), QStringLiteral("Beta"));
    // The overview may leave another order and a filter: the number still follows the highest.
    dm->VideoTable->SetIndexName(QStringLiteral("IndexTitel"));
    dm->VideoTable->SetFilter(QStringLiteral("Kategori = 'B'"));
    dm->VideoTable->SetFiltered(true);
    EXPECT_EQ(dm->NextTapeNr(), QStringLiteral("0042-00"));
    addTape(QStringLiteral("9999-00"), QStringLiteral("Last"));
    EXPECT_EQ(dm->NextTapeNr(), QStringLiteral("10000-00"));
    addTape(QStringLiteral("10000-00"), QStringLiteral("Beyond"));
    EXPECT_EQ(dm->NextTapeNr(), QStringLiteral("10001-00"));
}

TEST_F(Catalogue, NextTapeNumberOnABusyTableIsAnErrorNotAFirstNumber)
{
    addTape(QStringLiteral("0041-00"), QStringLiteral("Zulu"));
    // Another program holds the file's exclusive lock beyond the busy timeout.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((folder->dataDir() + QStringLiteral("/Video.db")).toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    QString proposed;
    QString error;
    try {
        proposed = dm->NextTapeNr();
    } catch (const core::EDatabaseError& e) {
        error = e.message();
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(proposed.isEmpty()) << proposed.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("optaget"))) << error.toStdString();
    EXPECT_EQ(dm->NextTapeNr(), QStringLiteral("0042-00"));
}

TEST_F(Catalogue, InsertNewTapeSettlesThePendingTapeAndWritesTheNextNumber)
{
    addTape(QStringLiteral("0010-00"), QStringLiteral("Ti"));
    EXPECT_EQ(dm->insertNewTape(), QStringLiteral("0011-00"));
    EXPECT_EQ(text(*dm->VideoTable, "TapeNr"), QStringLiteral("0011-00"));
    EXPECT_EQ(text(*dm->VideoTable, "Udlaan"), QStringLiteral("Nej"));
    dm->VideoTable->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Elleve"));
    EXPECT_EQ(dm->insertNewTape(), QStringLiteral("0012-00")) << "the pending tape was posted first";
}

TEST_F(Catalogue, ConfigurationIsReadAndWrittenOnItsOneRecord)
{
    EXPECT_EQ(dm->configInteger(QStringLiteral("Sprog")), -1);
    EXPECT_EQ(dm->configInteger(QStringLiteral("W_Main")), 895);
    dm->storeConfig({{QStringLiteral("H_Main"), 700}, {QStringLiteral("Sprog"), 3}});
    dm.reset();
    dm = std::make_unique<data::TDM>(folder->dataDir());
    dm->OpenTables();
    EXPECT_EQ(dm->configInteger(QStringLiteral("H_Main")), 700);
    EXPECT_EQ(dm->configInteger(QStringLiteral("Sprog")), 3);
    EXPECT_EQ(dm->ConfigTable->RecordCount(), 1);
}

TEST_F(Catalogue, TheTitleOrderStaysAfterTheOverviewLeavesIt)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Øen"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("ærlig talt"));
    addTape(QStringLiteral("0003-00"), QStringLiteral("Zorro"));
    addTape(QStringLiteral("0004-00"), QStringLiteral("alfa"));
    addTape(QStringLiteral("0005-00"), QStringLiteral("Åen"));
    dm->VideoTable->SetIndexName(QStringLiteral("IndexTitel"));
    EXPECT_EQ(column(*dm->VideoTable, QStringLiteral("Titel")),
              (QStringList{"alfa", "Zorro", "ærlig talt", "Øen", "Åen"}));
}

TEST_F(Catalogue, TheShelfOrderReadsNumbersInsideAPlaceByTheirValue)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"), {{"Placering", QStringLiteral("Reol A, hylde 10")}});
    addTape(QStringLiteral("0002-00"), QStringLiteral("B"), {{"Placering", QStringLiteral("Reol B")}});
    addTape(QStringLiteral("0003-00"), QStringLiteral("C"), {{"Placering", QStringLiteral("reol a, hylde 2")}});
    addTape(QStringLiteral("0004-00"), QStringLiteral("D"), {{"Placering", QStringLiteral("Reol A, hylde 0003")}});
    dm->VideoTable->SetIndexName(QStringLiteral("IndexPlacering"));
    EXPECT_EQ(column(*dm->VideoTable, QStringLiteral("TapeNr")), (QStringList{"0003-00", "0004-00", "0001-00", "0002-00"}));
    // A place changed to one without digits sorts by its letters again.
    dm->VideoTable->First();
    dm->VideoTable->Edit();
    dm->VideoTable->FieldByName(QStringLiteral("Placering")).SetAsString(QStringLiteral("Reol C"));
    dm->VideoTable->Post();
    EXPECT_EQ(column(*dm->VideoTable, QStringLiteral("TapeNr")), (QStringList{"0004-00", "0001-00", "0002-00", "0003-00"}));
    EXPECT_EQ(dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).AsString(), QStringLiteral("0003-00"));
}

// Every file is checked before the first table opens, so a missing one leaves all closed.
TEST(CatalogueOpening, AMissingTableIsNamedOpensNoTableAndCreatesNothing)
{
    testing_support::TempProgramFolder folder;
    ASSERT_TRUE(QFile::remove(folder.dataDir() + QStringLiteral("/Skuespiller.DB")));
    data::TDM dm(folder.dataDir());
    try {
        dm.OpenTables();
        FAIL() << "opened";
    } catch (const core::EDatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Skuespiller.DB"))) << e.message().toStdString();
    }
    for (engine::Table* table : dm.startupOrder())
        EXPECT_FALSE(table->Active()) << table->objectName().toStdString();
    EXPECT_FALSE(QFile::exists(folder.dataDir() + QStringLiteral("/Skuespiller.DB")));
}

TEST(CatalogueOpening, AMissingDataFolderIsReportedAndNotCreated)
{
    testing_support::TempProgramFolder folder(false);
    data::TDM dm(folder.dataDir());
    EXPECT_THROW(dm.OpenTables(), core::EDatabaseError);
    EXPECT_FALSE(QDir(folder.dataDir()).exists());
}

TEST_F(Catalogue, ALargeCatalogueWithoutItsSearchIndexMakesItAtOpeningInAProgressWindow)
{
    testing_support::closeDataModule(dm);
    // Made by an older version and filled by another program: 60,000 tapes and no index.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((folder->dataDir() + QStringLiteral("/Video.db")).toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "DROP TRIGGER VideoSoeg_ny; DROP TRIGGER VideoSoeg_ret; DROP TRIGGER VideoSoeg_slet; "
                                  "DROP TABLE VideoSoeg; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                  "WHERE i < 60000) INSERT INTO Video(TapeNr, Titel) SELECT printf('%05d-00', i), 'Film ' || i FROM n",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    testing_support::resetScriptedDialogs();
    testing_support::openDataModule(*folder, dm);
    EXPECT_EQ(QStringList({dialogs().texts(QStringLiteral("progress")).value(0), dialogs().shown.back().kind}),
              QStringList({QString::fromUtf8("Søgeindekset over båndene bygges ..."), QStringLiteral("endProgress")}));
}

// Junk in the search index's blocks, as another program's torn write would leave it: FTS5 can
// no longer open the index, and every write of a tape failed on its triggers.
TEST_F(Catalogue, JunkInTheSearchIndexIsMendedAndNeverStopsAWriteOfATape)
{
    const QString video = folder->dataDir() + QStringLiteral("/Video.db");
    const QByteArray spoil = "UPDATE VideoSoeg_data SET block = randomblob(length(block)) WHERE id > 5";
    addTape(QStringLiteral("0001-00"), QStringLiteral("Nyheder"));
    testing_support::closeDataModule(dm);
    testing_support::execOnDatabase(video, spoil);
    testing_support::openDataModule(*folder, dm);
    EXPECT_TRUE(data::textIndexIntact(dm->database(), QStringLiteral("Video")));
    // Spoilt again while the catalogue is open: the next post and delete mend it and go on.
    for (const bool deleting : {false, true}) {
        testing_support::execOnDatabase(video, spoil);
        if (deleting)
            dm->VideoTable->Delete();
        else
            addTape(QStringLiteral("0002-00"), QStringLiteral("Gamle"));
        EXPECT_TRUE(data::textIndexIntact(dm->database(), QStringLiteral("Video"))) << deleting;
        EXPECT_EQ(dm->VideoTable->RecordCount(), deleting ? 1 : 2);
    }
}
