// Every way a table file in Data can be wrong, met through the windows and the command line:
// a message naming the file and the fault, no table open, and every file as it was.
#include "app/HovedForm.h"
#include "common/FolderSnapshot.h"
#include "common/ProgramRun.h"
#include "common/TempProgramFolder.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "data/Schema.h"
#include "engine/Table.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using testing_support::overwriteFile;
using testing_support::replaceWithDatabase;
using testing_support::snapshot;

QByteArray noise(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7919 + 13) % 251);
    return bytes;
}

struct Damage {
    const char* name;
    const char* file;  // the file named in the message
    const char* fault; // what the message says of it
    std::function<void(const QString& data)> apply;
};

void PrintTo(const Damage& damage, std::ostream* out)
{
    *out << damage.name;
}

const Damage kDamages[] = {
    {"CutShort", "Video.db", "afkortet",
     [](const QString& data) { overwriteFile(data + "/Video.db", testing_support::bytesOf(data + "/Video.db").left(5000)); }},
    {"Empty", "Kategori.db", "filen er tom", [](const QString& data) { overwriteFile(data + "/Kategori.db", {}); }},
    {"RandomBytes", "Udlaan.db", "not a database", [](const QString& data) { overwriteFile(data + "/Udlaan.db", noise(8192)); }},
    {"ForeignTable", "Type.db", "har ingen tabel \"Type\"",
     [](const QString& data) { replaceWithDatabase(data + "/Type.db", "CREATE TABLE Foo(a)"); }},
    {"MissingFields", "Medvirker.db", "mangler feltet/felterne Titel, Rolle",
     [](const QString& data) {
         replaceWithDatabase(data + "/Medvirker.db", "CREATE TABLE Medvirker(Tapenr TEXT, Skuespiller TEXT)");
     }},
    {"Folder", "Optagetaf.db", "er en mappe",
     [](const QString& data) {
         QFile::remove(data + "/Optagetaf.db");
         QDir().mkdir(data + "/Optagetaf.db");
     }},
    {"Link", "Instruktor.db", "symbolsk henvisning",
     [](const QString& data) {
         QFile::rename(data + "/Instruktor.db", data + "/../Instruktor.db");
         QFile::link(data + "/../Instruktor.db", data + "/Instruktor.db");
     }},
    {"ReadOnlyFile", "Video.db", "filen er skrivebeskyttet",
     [](const QString& data) { QFile::setPermissions(data + "/Video.db", QFile::ReadOwner | QFile::ReadGroup); }},
    {"ReadOnlyFolder", "Video.db", "Data\" er skrivebeskyttet",
     [](const QString& data) { QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner); }},
    {"Missing", "Skuespiller.DB", "findes ikke", [](const QString& data) { QFile::remove(data + "/Skuespiller.DB"); }},
    {"MadeByANewerProgram", "Udlaan.db", "lavet af en nyere Spolarkiv (katalogversion 99)",
     [](const QString& data) { testing_support::execOnDatabase(data + "/Udlaan.db", "PRAGMA user_version = 99"); }},
};

class DamagedCatalogue : public ::testing::TestWithParam<Damage> {
protected:
    void SetUp() override
    {
        // An older catalogue, whose Video.db lacks the selection indexes the program adds
        // once every file has passed: so nothing may be added here.
        QString drop;
        for (const engine::WantedIndex& index : data::selectionIndexes())
            drop += QStringLiteral("DROP INDEX \"%1\";").arg(index.name);
        testing_support::execOnDatabase(program.dataDir() + QStringLiteral("/Video.db"), drop.toUtf8());
        GetParam().apply(program.dataDir());
        before = snapshot(program.path());
    }
    void TearDown() override
    {
        // The temporary folder must be removable again.
        QFile::setPermissions(program.dataDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void expectNamed(const QString& message) const
    {
        EXPECT_TRUE(message.contains(QLatin1String(GetParam().file))) << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1String(GetParam().fault))) << message.toStdString();
    }

    testing_support::TempProgramFolder program;
    testing_support::FolderSnapshot before;
};

TEST_P(DamagedCatalogue, TheWindowsNameTheFileOpenNoTableAndWriteNothing)
{
    program.install();
    auto& dialogs = static_cast<core::ScriptedDialogs&>(core::dialogs());
    dialogs.clear();
    {
        data::TDM dm(program.dataDir());
        data::DM = &dm;
        app::THovedForm form;
        app::HovedForm = &form;
        form.show();
        QApplication::processEvents();
        ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
        expectNamed(dialogs.texts(QStringLiteral("error")).front());
        for (engine::Table* table : dm.startupOrder())
            EXPECT_FALSE(table->Active()) << table->objectName().toStdString();
        form.close();
        app::HovedForm = nullptr;
        data::DM = nullptr;
    }
    EXPECT_EQ(snapshot(program.path()), before);
}

TEST_P(DamagedCatalogue, TheCommandLineNamesTheFileAndWritesNothing)
{
    const QString binary = testing_support::copyProgramInto(program.path(), QString::fromLocal8Bit(SPK_PROGRAM_BINARY));
    before = snapshot(program.path());
    const auto run = testing_support::runProgram(binary, program.path(),
                                                 {QStringLiteral("--export"), program.file(QStringLiteral("tapes.csv"))});
    EXPECT_EQ(run.exitCode, 1);
    expectNamed(run.err);
    EXPECT_EQ(snapshot(program.path()), before);
}

INSTANTIATE_TEST_SUITE_P(EachFault, DamagedCatalogue, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
