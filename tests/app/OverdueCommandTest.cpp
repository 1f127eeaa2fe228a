// "--overdue" as a daily job runs it: the not-returned loans past their due date, from the
// program folder, while nothing else is told.
#include "common/ProgramRun.h"
#include "common/TempProgramFolder.h"
#include "data/DM.h"
#include "engine/Table.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

class OverdueCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        binary = testing_support::copyProgramInto(program.path(), QString::fromLocal8Bit(SPK_PROGRAM_BINARY));
        data::TDM dm(program.dataDir());
        dm.OpenTables();
        const QDate today = QDate::currentDate();
        // Due yesterday, due today, due yesterday but returned.
        const struct {
            const char* tape;
            int dueIn;
            const char* returned;
        } loans[] = {{"0001-00", -1, "Nej"}, {"0002-00", 0, ""}, {"0003-00", -1, "Ja"}};
        for (const auto& loan : loans) {
            dm.VideoTable->Insert();
            dm.VideoTable->FieldByName(QStringLiteral("TapeNr")).SetAsString(QString::fromLatin1(loan.tape));
            dm.VideoTable->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Titel\t") + QLatin1String(loan.tape));
            dm.VideoTable->Post();
            dm.UdlaanTable->Insert();
            dm.UdlaanTable->FieldByName(QStringLiteral("Navn")).SetAsString(QStringLiteral("Åse"));
            dm.UdlaanTable->FieldByName(QStringLiteral("Dato")).SetValue(today.addDays(-20).toString(Qt::ISODate));
            dm.UdlaanTable->FieldByName(QStringLiteral("Forfald")).SetValue(today.addDays(loan.dueIn).toString(Qt::ISODate));
            dm.UdlaanTable->FieldByName(QStringLiteral("Returneret")).SetAsString(QString::fromLatin1(loan.returned));
            dm.UdlaanTable->Post();
        }
        dm.storeConfig({{QStringLiteral("Sprog"), 0}});
    }

    testing_support::TempProgramFolder program;
    QString binary;
};

TEST_F(OverdueCommand, ListsExactlyTheOverdueLoansInTheCataloguesLanguage)
{
    const QString yesterday = QDate::currentDate().addDays(-1).toString(Qt::ISODate);
    const auto run = testing_support::runProgram(binary, program.path(), {QStringLiteral("--overdue")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Tape no.\tTitle\tBorrower\tTelephone\tLent on\tDue\tDays over\n"
                                      "0001-00\tTitel 0001-00\tÅse\t\t%1\t%2\t1\n")
                           .arg(QDate::currentDate().addDays(-20).toString(Qt::ISODate), yesterday));
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();

    const auto soon = testing_support::runProgram(binary, program.path(), {QStringLiteral("--overdue"), QStringLiteral("--days"), QStringLiteral("1")});
    EXPECT_EQ(soon.out.count(QLatin1Char('\n')), 3) << "the loan due today joins";
    const auto wrong = testing_support::runProgram(binary, program.path(), {QStringLiteral("--overdue"), QStringLiteral("--days"), QStringLiteral("x")});
    EXPECT_EQ(wrong.exitCode, 2);
}

} // namespace
