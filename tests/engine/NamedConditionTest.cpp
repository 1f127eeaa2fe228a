// A view with the program's named condition over another table file: posts and deletes in
// that file change the view's records, and the condition's values are read with the view.
#include "EngineFixture.h"

#include <QDate>

using namespace enginetest;

namespace {

const QString kLoans = QStringLiteral("Udlaan.db");

// tapeNr: a loan of it dated `days` from today is posted; "": the view's day moves on by
// `days` and the view is refreshed; nullptr: the first loan is deleted. Then `shown` shows.
struct LoanStep {
    const char* name;
    const char* tapeNr;
    int days;
    QStringList shown;
};

class NamedConditions : public EngineTest, public ::testing::WithParamInterface<std::vector<LoanStep>> {};

TEST_P(NamedConditions, PostsAndDeletesInTheOtherFileChangeTheView)
{
    createCatalogueFile(dataDir(), kLoans);
    for (const char* tapeNr : {"0001-00", "0002-00", "0003-00"})
        addTape(QString::fromLatin1(tapeNr), QStringLiteral("Film"));
    QDate day = QDate::currentDate();
    engine::Table& tapes = open(QStringLiteral("Video.db"));
    tapes.SetCondition({QStringLiteral("LentBy"),
                        QStringLiteral("EXISTS (SELECT 1 FROM \"Udlaan\".\"Udlaan\" AS u WHERE u.\"Tapenr\" = "
                                       "\"Video\".\"Video\".\"TapeNr\" AND u.\"Dato\" <= ?)"),
                        [&day] { return std::vector<QVariant>{day.toString(Qt::ISODate)}; },
                        {kLoans}});
    engine::Table& loans = open(kLoans);
    for (const LoanStep& step : GetParam()) {
        if (!step.tapeNr) {
            loans.First();
            loans.Delete();
        } else if (!*step.tapeNr) {
            day = day.addDays(step.days);
            tapes.Refresh();
        } else {
            loans.Insert();
            loans.FieldByName(QStringLiteral("Tapenr")).SetAsString(QString::fromLatin1(step.tapeNr));
            loans.FieldByName(QStringLiteral("Dato")).SetAsString(QDate::currentDate().addDays(step.days).toString(Qt::ISODate));
            loans.Post();
        }
        EXPECT_EQ(walk(tapes, QStringLiteral("TapeNr")), step.shown) << step.name;
    }
}

TEST_F(EngineTest, AnotherProgramsLoanIsSeenWhenTheConditionIsChosenAgain)
{
    createCatalogueFile(dataDir(), kLoans);
    addTape(QStringLiteral("0001-00"), QStringLiteral("Film"));
    engine::Table& tapes = open(QStringLiteral("Video.db"));
    const engine::NamedCondition lent{QStringLiteral("Lent"),
                                      QStringLiteral("EXISTS (SELECT 1 FROM \"Udlaan\".\"Udlaan\" AS u WHERE u.\"Tapenr\" = "
                                                     "\"Video\".\"Video\".\"TapeNr\")"),
                                      [] { return std::vector<QVariant>(); },
                                      {kLoans}};
    tapes.SetCondition(lent);
    tapes.SetCondition({});
    // The view's own file is unchanged: only the loans' file tells the kept answer is old.
    execOn(file(kLoans), QStringLiteral("INSERT INTO Udlaan(Tapenr) VALUES ('0001-00')"));
    tapes.SetCondition(lent);
    EXPECT_EQ(walk(tapes, QStringLiteral("TapeNr")), QStringList{QStringLiteral("0001-00")});
}

INSTANTIATE_TEST_SUITE_P(
    Loans, NamedConditions,
    ::testing::Values(std::vector<LoanStep>{{"lent yesterday", "0002-00", -1, {"0002-00"}},
                                            {"lent tomorrow", "0003-00", 1, {"0002-00"}},
                                            {"lent today", "0001-00", 0, {"0001-00", "0002-00"}},
                                            {"a day later", "", 1, {"0001-00", "0002-00", "0003-00"}}},
                      std::vector<LoanStep>{{"lent", "0003-00", -5, {"0003-00"}}, {"returned", nullptr, 0, {}}}));

} // namespace
