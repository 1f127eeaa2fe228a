// The import of an old Paradox catalogue into a program folder: what the new tables hold, what
// the report says, and that the previous Data survives every way an import can end.
#include "CatalogueQuery.h"
#include "OldCatalogue.h"
#include "ParadoxWriter.h"
#include "catalogue/FolderLock.h"
#include "common/FolderSnapshot.h"
#include "common/TempProgramFolder.h"
#include "common/TinyDisk.h"
#include "data/CatalogueFolder.h"
#include "core/Errors.h"
#include "engine/Database.h"
#include "engine/Statement.h"
#include "import/CatalogueImport.h"
#include "import/ScratchFolder.h"
#include "import/ValueConversion.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTime>
#include <functional>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <map>
#include <memory>

using namespace paradoxtest;

namespace {

using testing_support::snapshot;
using Snapshot = testing_support::FolderSnapshot;

using importtest::query;

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class CatalogueImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(oldRoot.isValid());
        old = writeOldCatalogue(oldRoot.path());
        options.sourceFolder = old.dataFolder();
        options.dataFolder = program.dataDir();
        options.picturesFolder = program.file(QStringLiteral("Billeder"));
    }
    QStringList programEntries() const
    {
        return QDir(program.path()).entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    }
    QStringList entriesStartingWith(const QString& prefix) const
    {
        return programEntries().filter(QRegularExpression(QLatin1Char('^') + prefix));
    }

    QTemporaryDir oldRoot;
    OldCatalogue old;
    testing_support::TempProgramFolder program;
    import::ImportOptions options;
};

TEST_F(CatalogueImport, TapesArriveWithTheProgramsKindsOfValues)
{
    import::importParadox(options);
    EXPECT_EQ(query(program.dataDir(),
                    QStringLiteral("SELECT TapeNr, Titel, Start, Slut, Varighed, Udlaan, OptagetDato, Kategori, Instruktor "
                                   "FROM Video ORDER BY TapeNr")),
              QStringList({u("0001-00|Drømmen om Ærø|01:30|02:45|01:15:00|Nej|2001-10-12|Drama|Ivar Ågesen"),
                           u("0002-00|Færgen|NULL|NULL|01:00:00|Ja|NULL|Gyser|NULL"),
                           u("0003-00|Sent|23:00|00:30|22:30:00|Nej|1987-01-15|drama|NULL")}));
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT Indhold FROM Video WHERE TapeNr = '0001-00'")),
              QStringList{u("Første linje\nAnden linje\nTredje")});
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT length(Indhold), substr(Indhold, 3000) FROM Video "
                                                      "WHERE TapeNr = '0002-00'")),
              QStringList{QStringLiteral("3005|x\nslut")});
}

TEST_F(CatalogueImport, TheNewTablesHaveExactlyTheSchemaTheDataToolMakes)
{
    const testing_support::TempProgramFolder fresh;
    import::importParadox(options);
    for (const char* schema : {"Video", "Kategori", "Udlaan", "Type", "Instruktor", "Optagetaf", "Skuespiller",
                               "Medvirker", "Config"}) {
        const QString sql = QStringLiteral("SELECT type, name, sql FROM \"%1\".sqlite_master ORDER BY name")
                                .arg(QString::fromLatin1(schema));
        EXPECT_EQ(query(program.dataDir(), sql), query(fresh.dataDir(), sql)) << schema;
    }
}

TEST_F(CatalogueImport, CastLoansConfigurationAndLookupsAsTheRecordRulesWouldLeaveThem)
{
    const import::ImportReport report = import::importParadox(options);
    const QString data = program.dataDir();
    EXPECT_EQ(query(data, QStringLiteral("SELECT Tapenr, Skuespiller, Rolle FROM Medvirker ORDER BY rowid")),
              QStringList({u("0001-00|Bodil Ørsted|Mor"), u("0001-00|Ole|NULL"), u("0002-00|NULL|Statist")}));
    // An open loan, kept without a due date then, is due after the loan period.
    EXPECT_EQ(query(data, QStringLiteral("SELECT Tapenr, Dato, Navn, Telefon, Returneret, Forfald FROM Udlaan")),
              QStringList({u("0002-00|2003-04-05|Søren|12 34 56 78|Ja|NULL"),
                           u("0001-00|%1|Ole|NULL|Nej|%2")
                               .arg(QDate::currentDate().toString(Qt::ISODate), QDate::currentDate().addDays(30).toString(Qt::ISODate))}));
    EXPECT_EQ(query(data, QStringLiteral("SELECT H_Main, W_Main, Sprog, H_Over, W_Over, H_Reg, W_Reg FROM Config")),
              QStringList{QStringLiteral("650|900|0|500|930|560|1010")});
    // Values used on tapes and cast rows join their lookup lists; a nameless actor does not.
    EXPECT_EQ(query(data, QStringLiteral("SELECT Kategori FROM Kategori ORDER BY Kategori")),
              QStringList({QStringLiteral("Drama"), QStringLiteral("Gyser"), QStringLiteral("drama")}));
    EXPECT_EQ(query(data, QStringLiteral("SELECT Instruktor FROM Instruktor")), QStringList{u("Ivar Ågesen")});
    EXPECT_EQ(query(data, QStringLiteral("SELECT Optagetaf FROM Optagetaf ORDER BY Optagetaf")),
              QStringList({u("Bjørn"), QStringLiteral("Far")}));
    EXPECT_EQ(query(data, QStringLiteral("SELECT Skuespiller FROM Skuespiller ORDER BY Skuespiller")),
              QStringList({u("Bodil Ørsted"), QStringLiteral("Ole")}));
    EXPECT_EQ(query(data, QStringLiteral("SELECT Type FROM Type")), QStringList{QStringLiteral("VHS")});
    EXPECT_EQ(report.lookupValuesAdded, 4);
}

TEST_F(CatalogueImport, WithoutAnOldConfigurationThePresentSettingsStay)
{
    {
        engine::Database present(program.dataDir());
        present.attach(QStringLiteral("Config.DB"));
        present.exec(QStringLiteral("UPDATE Config.Config SET Sprog = 2, W_Reg = 1111"));
    }
    ASSERT_TRUE(QFile::remove(old.dataFolder() + QStringLiteral("/Config.DB")));
    const import::ImportReport report = import::importParadox(options);
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT Sprog, W_Reg, H_Main FROM Config")),
              QStringList{QStringLiteral("2|1111|600")});
    EXPECT_TRUE(report.text().contains(u("Config.DB: findes ikke i mappen; tom tabel\n  De nuværende indstillinger beholdes")))
        << report.text().toStdString();
}

TEST_F(CatalogueImport, TheReportNamesEveryRefusedRecordIgnoredFieldAndMissingTable)
{
    const import::ImportReport report = import::importParadox(options);
    ASSERT_EQ(report.refused.size(), 3);
    const std::pair<qint64, const char*> refused[] = {{3, "0001-00"}, {4, "TapeNr"}, {6, "25:00"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(report.refused[i].table, QStringLiteral("Video.db"));
        EXPECT_EQ(report.refused[i].record, refused[i].first);
        EXPECT_TRUE(report.refused[i].reason.contains(QString::fromLatin1(refused[i].second)))
            << report.refused[i].reason.toStdString();
    }
    const QString text = report.text();
    EXPECT_TRUE(text.contains(u("Video.db: 6 poster læst, 3 gemt"))) << text.toStdString();
    EXPECT_TRUE(text.contains(u("Instruktor.db: findes ikke i mappen"))) << text.toStdString();
    EXPECT_TRUE(text.contains(u("Felter der ikke bruges: Pris"))) << text.toStdString();
    EXPECT_TRUE(text.contains(u("Video.db, post 6: Slut: '25:00' is not a valid time"))) << text.toStdString();

    // The same text lies beside the new Data.
    ASSERT_FALSE(report.reportFile.isEmpty());
    QFile saved(report.reportFile);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), text);
    EXPECT_EQ(QFileInfo(report.reportFile).absolutePath(), QFileInfo(program.dataDir()).absolutePath());
}

TEST(CatalogueImportTapeNumbers, OnlyNumbersTheRecordRulesAcceptAreStored)
{
    QTemporaryDir old;
    TableSpec video;
    video.name = QStringLiteral("Video");
    video.fields = {FieldSpec{QStringLiteral("TapeNr"), ParadoxType::Alpha, 20, 0}};
    video.rows = {{QStringLiteral("0002-00xLONGNUMBER")}, {QStringLiteral("10000-00")}, {QStringLiteral("0003-00")}};
    writeTable(old.path(), video);
    testing_support::TempProgramFolder program;
    import::ImportOptions options;
    options.sourceFolder = old.path();
    options.dataFolder = program.dataDir();
    options.picturesFolder = program.file(QStringLiteral("Billeder"));
    const import::ImportReport report = import::importParadox(options);
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT TapeNr FROM Video ORDER BY rowid")),
              QStringList({QStringLiteral("10000-00"), QStringLiteral("0003-00")}));
    ASSERT_EQ(report.refused.size(), 1);
    EXPECT_EQ(report.refused.first().record, 1);
    EXPECT_TRUE(report.refused.first().reason.contains(QStringLiteral("0002-00xLONGNUMBER")));
}

TEST_F(CatalogueImport, PicturesAreCopiedUnderTheProgramsNamesAndNeverOverwritten)
{
    QFile mine(program.file(QStringLiteral("Billeder/Front0002-00.jpg")));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("my own picture");
    mine.close();
    const import::ImportReport report = import::importParadox(options);
    EXPECT_EQ(report.picturesCopied, 2);
    const std::pair<const char*, QByteArray> expected[] = {{"Front0001-00.jpg", "old picture FRONT0001-00.JPG"},
                                                           {"Back0001-00.jpg", "old picture Back0001-00.jpg"},
                                                           {"Front0002-00.jpg", "my own picture"}};
    for (const auto& [name, content] : expected) {
        QFile file(program.file(QStringLiteral("Billeder/") + QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(file.readAll(), content) << name;
    }
}

TEST_F(CatalogueImport, ThePreviousDataIsKeptWholeUnderADatedName)
{
    const Snapshot before = snapshot(program.dataDir());
    const import::ImportReport report = import::importParadox(options);
    const QStringList kept = entriesStartingWith(QStringLiteral("Data-before-import-"));
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(report.keptData, program.file(kept.first()));
    EXPECT_EQ(snapshot(report.keptData), before);
    EXPECT_TRUE(entriesStartingWith(QStringLiteral("Data-import-")).isEmpty());
}

TEST_F(CatalogueImport, ACatalogueWithTapesIsReplacedOnlyWhenTheUserChoosesIt)
{
    import::importParadox(options);
    const Snapshot imported = snapshot(program.dataDir());
    try {
        import::importParadox(options);
        FAIL() << "a second import into a catalogue with tapes went through";
    } catch (const import::ECatalogueNotEmpty& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("3 film"))) << e.message().toStdString();
    }
    EXPECT_EQ(snapshot(program.dataDir()), imported);

    options.replace = true;
    const import::ImportReport report = import::importParadox(options);
    EXPECT_EQ(snapshot(report.keptData), imported);
    EXPECT_EQ(entriesStartingWith(QStringLiteral("Data-before-import-")).size(), 2);
}

TEST_F(CatalogueImport, ADryRunReadsEverythingAndWritesNothing)
{
    const Snapshot before = snapshot(program.path());
    const Snapshot oldBefore = snapshot(old.root);
    options.dryRun = true;
    import::ImportReport report = import::importParadox(options);
    EXPECT_EQ(report.table(QStringLiteral("Video.db")).stored, oldCatalogueTapes);
    EXPECT_EQ(report.refused.size(), 3);
    EXPECT_EQ(report.picturesCopied, 3);
    EXPECT_TRUE(report.reportFile.isEmpty());
    EXPECT_TRUE(report.text().startsWith(u("Prøveindlæsning"))) << report.text().toStdString();
    EXPECT_EQ(snapshot(program.path()), before);
    EXPECT_EQ(snapshot(old.root), oldBefore);
}

// Ways an import ends early; each must leave the program folder exactly as it was.
struct EarlyEnd {
    const char* what;
    std::function<void(import::ImportOptions&, const OldCatalogue&)> arrange;
    std::function<bool(qint64, qint64)> progress;
    const char* message; ///< part of the message; empty for a cancel
};

class ImportEndingEarly : public CatalogueImport, public ::testing::WithParamInterface<EarlyEnd> {};

TEST_P(ImportEndingEarly, LeavesTheProgramFolderAsItWas)
{
    const EarlyEnd& end = GetParam();
    if (end.arrange)
        end.arrange(options, old);
    const Snapshot before = snapshot(program.path());
    try {
        import::importParadox(options, end.progress);
        FAIL() << end.what << ": the import went through";
    } catch (const core::EAbort&) {
        EXPECT_STREQ(end.message, "") << end.what;
    } catch (const core::EError& e) {
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(end.message))) << end.what << ": " << e.message().toStdString();
    }
    EXPECT_EQ(snapshot(program.path()), before) << end.what;
}

void damageCast(import::ImportOptions&, const OldCatalogue& old)
{
    // The chain of the cast table's only block points past the file's blocks.
    QFile file(old.dataFolder() + QStringLiteral("/Medvirker.db"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray head = file.read(0x10);
    ASSERT_TRUE(file.seek(getU16(head, 2)));
    file.write(QByteArray("\x40\x00", 2));
}

// VIDEO.DB made into something that is not a file (make returns 0 when done), with
// --replace: the catalogue must stay, never swapped for one without tapes.
using MakeEntry = std::function<int(const char*)>;
std::function<void(import::ImportOptions&, const OldCatalogue&)> videoTableAs(const MakeEntry& make)
{
    return [make](import::ImportOptions& o, const OldCatalogue& old) {
        import::importParadox(o);
        o.replace = true;
        const QByteArray path = QFile::encodeName(old.dataFolder() + QStringLiteral("/VIDEO.DB"));
        QFile::remove(QFile::decodeName(path));
        if (make) {
            ASSERT_EQ(make(path.constData()), 0);
        }
    };
}

int makeSocket(const char* path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const int bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::close(fd);
    return bound;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportEndingEarly,
    ::testing::Values(
        EarlyEnd{"cancelled at the first progress", nullptr, [](qint64, qint64) { return false; }, ""},
        EarlyEnd{"a damaged cast table", damageCast, nullptr, "Medvirker.db"},
        EarlyEnd{"a missing folder",
                 [](import::ImportOptions& o, const OldCatalogue&) { o.sourceFolder += QStringLiteral("-none"); },
                 nullptr, "findes ikke"},
        EarlyEnd{"a folder without the tables",
                 [](import::ImportOptions& o, const OldCatalogue& old) { o.sourceFolder = old.picturesFolder(); }, nullptr,
                 "ingen af katalogets"},
        EarlyEnd{"the memo file is missing",
                 [](import::ImportOptions&, const OldCatalogue& old) {
                     QFile::remove(old.dataFolder() + QStringLiteral("/video.mb"));
                 },
                 nullptr, "VIDEO.DB"},
        EarlyEnd{"a table of the program's own instead of an old one",
                 [](import::ImportOptions& o, const OldCatalogue&) { o.sourceFolder = o.dataFolder; }, nullptr,
                 "er ikke en Paradox-tabel"},
        EarlyEnd{"Video.db is a folder", videoTableAs([](const char* p) { return ::mkdir(p, 0700); }), nullptr, "er en mappe"},
        EarlyEnd{"Video.db is a FIFO", videoTableAs([](const char* p) { return ::mkfifo(p, 0600); }), nullptr, "(FIFO)"},
        EarlyEnd{"Video.db is a socket", videoTableAs(makeSocket), nullptr, "er en sokkel"},
        EarlyEnd{"Video.db is a broken link", videoTableAs([](const char* p) { return ::symlink("/nowhere", p); }),
                 nullptr, "ikke peger"},
        EarlyEnd{"Video.db is missing", videoTableAs(nullptr), nullptr, "erstattes ikke"}),
    [](const ::testing::TestParamInfo<EarlyEnd>& info) { return "case" + std::to_string(info.index); });

TEST(CatalogueImportOnAFullDisk, FailsWithTheReasonAndLeavesDataAsItWas)
{
    testing_support::TinyDisk disk(1024);
    if (!disk.mounted())
        GTEST_SKIP() << "no small disk can be mounted here";
    QTemporaryDir old;
    writeLargeOldCatalogue(old.path() + QStringLiteral("/Data"), 4000, 400);
    import::ImportOptions options;
    options.sourceFolder = old.path() + QStringLiteral("/Data");
    options.dataFolder = disk.file(QStringLiteral("Data"));
    options.picturesFolder = disk.file(QStringLiteral("Billeder"));
    data::createCatalogue(options.dataFolder);
    const Snapshot before = snapshot(disk.file(QString()));
    try {
        import::importParadox(options);
        FAIL() << "the import fitted on the small disk";
    } catch (const core::EError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("full"), Qt::CaseInsensitive)) << e.message().toStdString();
    }
    EXPECT_EQ(snapshot(disk.file(QString())), before);
}

TEST(CatalogueImportInPlace, OldTablesInDataAreConvertedAndTheOriginalsKept)
{
    testing_support::TempProgramFolder program(false);
    const OldCatalogue old = writeOldCatalogue(program.path());
    const Snapshot originals = snapshot(old.dataFolder());
    EXPECT_TRUE(import::holdsParadoxTables(program.dataDir()));
    EXPECT_EQ(import::storedLanguage(program.dataDir()), 0);

    import::ImportOptions options;
    options.sourceFolder = program.dataDir();
    options.dataFolder = program.dataDir();
    options.picturesFolder = program.file(QStringLiteral("Billeder"));
    import::ImportReport report = import::importParadox(options);

    EXPECT_FALSE(import::holdsParadoxTables(program.dataDir()));
    EXPECT_EQ(import::tapesInCatalogue(program.dataDir()), oldCatalogueTapes);
    EXPECT_TRUE(QFileInfo(report.keptData).fileName().startsWith(QStringLiteral("Data-paradox-")));
    EXPECT_EQ(snapshot(report.keptData), originals);
    EXPECT_EQ(report.picturesCopied, 0); // the pictures are the program's own already
    EXPECT_EQ(report.table(QStringLiteral("Video.db")).source, report.keptData + QStringLiteral("/VIDEO.DB"));
}

// What a value of an old table becomes in the catalogue; a refusal names the reason.
struct Conversion {
    QVariant value;
    import::FieldKind kind;
    QVariant expected; ///< invalid: refused
};

class ValueConversion : public ::testing::TestWithParam<Conversion> {};

TEST_P(ValueConversion, GivesTheProgramsFormOrRefuses)
{
    const Conversion& c = GetParam();
    const import::CatalogueField field{QStringLiteral("F"), c.kind};
    if (!c.expected.isValid()) {
        EXPECT_THROW(import::convertValue(c.value, field), import::EImportError) << c.value.toString().toStdString();
        return;
    }
    const QVariant got = import::convertValue(c.value, field);
    EXPECT_EQ(got, c.expected) << c.value.toString().toStdString() << " -> " << got.toString().toStdString();
}

using import::FieldKind;
INSTANTIATE_TEST_SUITE_P(
    Cases, ValueConversion,
    ::testing::Values(Conversion{QTime(1, 30), FieldKind::Time, QStringLiteral("01:30")},
                      Conversion{QTime(1, 30, 15), FieldKind::Time, QStringLiteral("01:30:15")},
                      Conversion{QStringLiteral("2:55"), FieldKind::Time, QStringLiteral("02:55")},
                      Conversion{QStringLiteral("0130"), FieldKind::Time, QStringLiteral("01:30")},
                      Conversion{QStringLiteral("1:30 PM"), FieldKind::Time, QStringLiteral("13:30")},
                      Conversion{QStringLiteral("25:00"), FieldKind::Time, QVariant()},
                      Conversion{qint64(90), FieldKind::Time, QVariant()},
                      Conversion{QTime(1, 15), FieldKind::LongTime, QStringLiteral("01:15:00")},
                      Conversion{QStringLiteral("1:15"), FieldKind::LongTime, QStringLiteral("01:15:00")},
                      Conversion{QDate(2001, 10, 12), FieldKind::Date, QStringLiteral("2001-10-12")},
                      Conversion{QDateTime(QDate(2020, 2, 1), QTime(1, 0, 1)), FieldKind::Date, QStringLiteral("2020-02-01")},
                      Conversion{QStringLiteral("2001-10-12"), FieldKind::Date, QStringLiteral("2001-10-12")},
                      Conversion{QStringLiteral("12-10-2001"), FieldKind::Date, QStringLiteral("2001-10-12")},
                      Conversion{QStringLiteral("12.10.2001"), FieldKind::Date, QStringLiteral("2001-10-12")},
                      Conversion{QStringLiteral("snart"), FieldKind::Date, QVariant()},
                      Conversion{QStringLiteral(" 42 "), FieldKind::Integer, qint64(42)},
                      Conversion{600.0, FieldKind::Integer, qint64(600)},
                      Conversion{600.5, FieldKind::Integer, QVariant()},
                      Conversion{QStringLiteral("stor"), FieldKind::Integer, QVariant()},
                      Conversion{QStringLiteral("a\r\nb\rc\nd"), FieldKind::Memo, QStringLiteral("a\nb\nc\nd")},
                      Conversion{true, FieldKind::Text, QStringLiteral("Ja")},
                      Conversion{false, FieldKind::Text, QStringLiteral("Nej")},
                      Conversion{qint64(7), FieldKind::Text, QStringLiteral("7")},
                      Conversion{QStringLiteral(" 0001-00 "), FieldKind::Key, QStringLiteral(" 0001-00 ")},
                      Conversion{QString(), FieldKind::Key, QVariant()},
                      Conversion{QVariant(), FieldKind::Key, QVariant()}));

TEST(ValueConversionBlank, BlankStaysBlankOutsideKeys)
{
    for (FieldKind kind : {FieldKind::Text, FieldKind::Time, FieldKind::LongTime, FieldKind::Date, FieldKind::Integer,
                           FieldKind::Memo})
        EXPECT_FALSE(import::convertValue(QVariant(), import::CatalogueField{QStringLiteral("F"), kind}).isValid());
}

} // namespace

// A dry run killed before it could remove its scratch catalogue: the next dry run removes it,
// but never the folder of one still running (it holds its lock).
TEST(DryRunScratch, AFolderAKilledDryRunLeftIsRemovedAndARunningOnesIsNot)
{
    QTemporaryDir temp;
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    std::map<QString, bool> running = {{temp.filePath(QStringLiteral("spolarkiv-dry-run-killed")), false},
                                       {temp.filePath(QStringLiteral("spolarkiv-dry-run-running")), true}};
    std::vector<std::unique_ptr<catalogue::FolderLock>> locks;
    for (const auto& [folder, held] : running) {
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/Data")));
        locks.push_back(std::make_unique<catalogue::FolderLock>(folder));
        ASSERT_TRUE(locks.back()->tryLock());
        if (!held)
            locks.back()->unlock();
        const timespec anHourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
        ::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), anHourAgo, 0);
    }
    import::ScratchFolder::removeAbandoned();
    qputenv("TMPDIR", savedTemp);
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("spolarkiv-dry-run-running")});
}
