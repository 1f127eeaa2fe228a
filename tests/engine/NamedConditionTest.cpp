// A view with the program's named condition over another table file: posts and deletes in
// that file change the view's records, and the condition's values are read with the view.
#include "EngineFixture.h"

#include <QDate>

using namespace enginetest;

namespace {

const QString kVideo = QStringLiteral("Video.db");
const QString kLoans = QStringLiteral("Udlaan.db");

struct LoanStep {
    const char* name;
    const char* tapeNr;  ///< a loan of this tape is posted; nullptr: the first loan is deleted
    int daysFromToday;   ///< the loan's date
    QStringList shown;   ///< the tapes the view holds afterwards
};

class NamedConditions : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        createCatalogueFile(dataDir(), kLoans);
        for (const char* tapeNr : {"0001-00", "0002-00", "0003-00"})
            addTape(QString::fromLatin1(tapeNr), QStringLiteral("Film"));
    }
    // Tapes lent on or before the day the view is read.
    engine::NamedCondition lentBy(const QDate& day)
    {
        return {QStringLiteral("LentBy"),
                QStringLiteral("EXISTS (SELECT 1 FROM \"Udlaan\".\"Udlaan\" AS u WHERE u.\"Tapenr\" = "
                               "\"Video\".\"Video\".\"TapeNr\" AND u.\"Dato\" <= ?)"),
                [&day] { return std::vector<QVariant>{day.toString(Qt::ISODate)}; },
                {kLoans}};
    }
};

class LoanSteps : public NamedConditions, public ::testing::WithParamInterface<std::vector<LoanStep>> {};

TEST_P(LoanSteps, PostsAndDeletesInTheOtherFileChangeTheView)
{
    const QDate today = QDate::currentDate();
    engine::Table& tapes = open(kVideo);
    tapes.SetCondition(lentBy(today));
    engine::Table& loans = open(kLoans);
    for (const LoanStep& step : GetParam()) {
        if (step.tapeNr) {
            loans.Insert();
            loans.FieldByName(QStringLiteral("Tapenr")).SetAsString(QString::fromLatin1(step.tapeNr));
            loans.FieldByName(QStringLiteral("Dato")).SetAsString(today.addDays(step.daysFromToday).toString(Qt::ISODate));
            loans.Post();
        } else {
            loans.First();
            loans.Delete();
        }
        EXPECT_EQ(walk(tapes, QStringLiteral("TapeNr")), step.shown) << step.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Loans, LoanSteps,
    ::testing::Values(std::vector<LoanStep>{{"lent yesterday", "0002-00", -1, {"0002-00"}},
                                            {"lent tomorrow", "0003-00", 1, {"0002-00"}},
                                            {"lent today", "0001-00", 0, {"0001-00", "0002-00"}}},
                      std::vector<LoanStep>{{"lent", "0003-00", -5, {"0003-00"}}, {"returned", nullptr, 0, {}}}));

TEST_F(NamedConditions, TheBoundValuesAreReadWhenTheViewIsRead)
{
    QDate day = QDate::currentDate();
    execOn(file(kLoans), QStringLiteral("INSERT INTO Udlaan(Tapenr, Dato) VALUES ('0001-00', '%1')")
                             .arg(day.addDays(3).toString(Qt::ISODate)));
    engine::Table& tapes = open(kVideo);
    tapes.SetCondition(lentBy(day));
    const QStringList before = walk(tapes, QStringLiteral("TapeNr"));
    day = day.addDays(3);
    tapes.Refresh();
    EXPECT_EQ(before + walk(tapes, QStringLiteral("TapeNr")), QStringList{QStringLiteral("0001-00")});
}

} // namespace
