// Backups as a user meets them: "--backup" and "--restore" from the program folder, and the
// backup the windows write when a run changed the catalogue.
#include "app/BackupCommand.h"
#include "catalogue/FolderLock.h"
#include "common/FolderSnapshot.h"
#include "common/ProgramRun.h"
#include "common/TempProgramFolder.h"
#include "core/ProgramPaths.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "engine/Table.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using testing_support::snapshot;

class BackupCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        binary = testing_support::copyProgramInto(program.path(), QString::fromLocal8Bit(SPK_PROGRAM_BINARY));
        addTape(QStringLiteral("0001-00"));
    }
    testing_support::ProgramRun run(const QStringList& arguments)
    {
        return testing_support::runProgram(binary, program.path(), arguments);
    }
    void addTape(const QString& tapeNr)
    {
        data::TDM dm(program.dataDir());
        dm.OpenTables();
        dm.VideoTable->Insert();
        dm.VideoTable->FieldByName(QStringLiteral("TapeNr")).SetAsString(tapeNr);
        dm.VideoTable->Post();
    }
    void storeLanguage(int index)
    {
        data::TDM dm(program.dataDir());
        dm.OpenTables();
        dm.storeConfig({{QStringLiteral("Sprog"), index}});
    }
    QStringList backups() const
    {
        return QDir(program.file(QStringLiteral("Backup"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }

    testing_support::TempProgramFolder program;
    QString binary;
};

TEST_F(BackupCommands, BackupWritesANewFolderAndRestorePutsItBack)
{
    const auto written = run({QStringLiteral("--backup")});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    ASSERT_EQ(backups().size(), 1);
    const QString backup = program.file(QStringLiteral("Backup/") + backups().front());
    EXPECT_TRUE(written.out.contains(backup)) << written.out.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d-\\d{6}$")).match(backups().front()).hasMatch());
    const auto saved = snapshot(backup);

    addTape(QStringLiteral("0002-00"));
    const auto changed = snapshot(program.dataDir());
    const auto restored = run({QStringLiteral("--restore"), backup});
    ASSERT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_EQ(snapshot(program.dataDir()), saved);
    const QStringList kept = QDir(program.path()).entryList({QStringLiteral("Data-before-restore-*")}, QDir::Dirs);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(snapshot(program.file(kept.front())), changed);
    EXPECT_TRUE(restored.out.contains(kept.front())) << restored.out.toStdString();
}

TEST_F(BackupCommands, WrongUseAndARunningProgramEndWithAMessageAndNothingChanged)
{
    const QString elsewhere = program.file(QStringLiteral("elsewhere"));
    ASSERT_EQ(run({QStringLiteral("--backup"), elsewhere}).exitCode, 0);
    const QString backup = elsewhere + QLatin1Char('/') + QDir(elsewhere).entryList(QDir::Dirs | QDir::NoDotAndDotDot).front();
    catalogue::FolderLock running(program.path());
    ASSERT_TRUE(running.tryLock());
    const struct {
        QStringList arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        {{QStringLiteral("--restore")}, 2, "needs the backup's folder"},
        {{QStringLiteral("--backup"), elsewhere, elsewhere}, 2, "at most one folder"},
        {{QStringLiteral("--restore"), backup}, 1, "Luk programmet først"},
    };
    const auto before = snapshot(program.path());
    for (const auto& c : cases) {
        const auto failed = run(c.arguments);
        EXPECT_EQ(failed.exitCode, c.exitCode) << c.message;
        EXPECT_TRUE(failed.err.contains(QString::fromUtf8(c.message))) << failed.err.toStdString();
    }
    EXPECT_EQ(snapshot(program.path()), before);
}

// Every opening refuses a table file that is a link (it may lead out of the folder): so does the backup.
TEST_F(BackupCommands, ATableFileThatIsALinkIsRefusedAsEveryOpeningRefusesIt)
{
    const QString table = program.file(QStringLiteral("Data/Kategori.db"));
    ASSERT_TRUE(QFile::rename(table, program.file(QStringLiteral("Kategori.db"))));
    ASSERT_TRUE(QFile::link(program.file(QStringLiteral("Kategori.db")), table));
    const auto refused = run({QStringLiteral("--backup")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Tabelfilen \"%1\" er en symbolsk henvisning, ikke en fil").arg(table)))
        << refused.err.toStdString();
    EXPECT_TRUE(backups().isEmpty());
}

TEST_F(BackupCommands, TheTextsFollowTheCataloguesLanguage)
{
    storeLanguage(0); // English
    const auto written = run({QStringLiteral("--backup")});
    EXPECT_TRUE(written.out.startsWith(QStringLiteral("The backup has been written to"))) << written.out.toStdString();
    const auto refused = run({QStringLiteral("--restore"), program.file(QStringLiteral("nowhere"))});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("does not exist"))) << refused.err.toStdString();
}

TEST_F(BackupCommands, TheWindowsBackUpOnlyARunThatChangedTheCatalogue)
{
    program.install();
    auto& dialogs = static_cast<core::ScriptedDialogs&>(core::dialogs());
    dialogs.clear();
    QByteArray start = app::catalogueContentFingerprint();
    storeLanguage(1); // a run that only moved windows and chose a language
    app::backUpAfterRun(start);
    EXPECT_TRUE(backups().isEmpty());

    addTape(QStringLiteral("0002-00"));
    app::backUpAfterRun(start);
    EXPECT_EQ(backups().size(), 1);

    // A backup that cannot be written is said once, and closing goes on.
    QDir(program.file(QStringLiteral("Backup"))).removeRecursively();
    QFile blocker(program.file(QStringLiteral("Backup")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    app::backUpAfterRun(start);
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error")).front().contains(QStringLiteral("Sikkerhedskopien")));
}

// Each text the import and the backups ask for is in every language file's section.
TEST(CommandTexts, EveryImportAndBackupTextIsInEveryLanguage)
{
    QMap<QString, QSet<QString>> asked; // section -> keys
    const QRegularExpression call(QStringLiteral("\\b(import|backup)Text\\(\\s*\"(\\w+)\""));
    const QRegularExpression section(QStringLiteral("\\bsectionText\\(\\s*\"(\\w+)\",\\s*\"(\\w+)\""));
    for (const char* folder : {"src/import", "src/forms", "src/app", "src/data", "src/catalogue"}) {
        const QDir dir(testing_support::sourceDir() + QLatin1Char('/') + QLatin1String(folder));
        for (const QString& name : dir.entryList({QStringLiteral("*.cpp")})) {
            const QString code = QString::fromUtf8(testing_support::bytesOf(dir.filePath(name)));
            for (auto it = call.globalMatch(code); it.hasNext();) {
                const auto match = it.next();
                asked[match.captured(1) == QLatin1String("import") ? QStringLiteral("Import") : QStringLiteral("Backup")]
                    << match.captured(2);
            }
            for (auto it = section.globalMatch(code); it.hasNext();) {
                const auto match = it.next();
                asked[match.captured(1)] << match.captured(2);
            }
        }
    }
    ASSERT_GT(asked[QStringLiteral("Backup")].size(), 8);
    for (const char* language : {"English", "Norsk", "Svensk", "Deutsch"}) {
        const QString file = QString::fromUtf8(
            testing_support::bytesOf(testing_support::builtProgramDir() + QLatin1Char('/') + QLatin1String(language) + QStringLiteral(".lng")));
        for (auto section = asked.cbegin(); section != asked.cend(); ++section) {
            const int start = file.indexOf(QLatin1Char('[') + section.key() + QLatin1Char(']'));
            ASSERT_GE(start, 0) << language;
            const int end = file.indexOf(QLatin1String("\n["), start + 1);
            const QString body = file.mid(start, end < 0 ? -1 : end - start);
            for (const QString& key : section.value())
                EXPECT_TRUE(body.contains(QLatin1Char('\n') + key + QLatin1Char('=')))
                    << language << " [" << section.key().toStdString() << "] " << key.toStdString();
        }
    }
}

} // namespace
