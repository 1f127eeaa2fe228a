#include "DataFixture.h"
#include "data/Loans.h"

namespace {

const QDate kToday(2026, 12, 10);

// A loan of the current tape, stored through the loans table so the rules run.
void addLoan(data::TDM& dm, const QString& name, const QDate& lent, const QString& returned = QString(),
             const QDate& due = QDate())
{
    engine::Table& loans = *dm.UdlaanTable;
    loans.Insert();
    loans.FieldByName(QStringLiteral("Navn")).SetAsString(name);
    loans.FieldByName(QStringLiteral("Telefon")).SetAsString(name + QStringLiteral(" tlf"));
    loans.FieldByName(QStringLiteral("Dato")).SetValue(lent.toString(Qt::ISODate));
    if (due.isValid())
        loans.FieldByName(QStringLiteral("Forfald")).SetValue(due.toString(Qt::ISODate));
    loans.FieldByName(QStringLiteral("Returneret")).SetAsString(returned);
    loans.Post();
}

QString stored(engine::Table& table, const char* field)
{
    return table.FieldByName(QString::fromLatin1(field)).Value().toString();
}

} // namespace

class Loans : public DataFixture {
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        dm->Today = [] { return kToday; };
        // Due yesterday, today, tomorrow; one returned by its text, one by its date.
        const struct {
            const char* tape;
            const char* name;
            int dueIn;
            const char* returned;
        } loans[] = {{"0001-00", "Åse", -1, ""},  {"0002-00", "Bo", 0, ""},   {"0003-00", "Bo", 1, ""},
                     {"0004-00", "Carl", -40, "Ja"}, {"0005-00", "Åse", -9, ""}, {"0006-00", "Bo", -3, "Nej"}};
        for (const auto& loan : loans) {
            addTape(QString::fromLatin1(loan.tape), QStringLiteral("Film ") + QLatin1String(loan.tape));
            addLoan(*dm, QString::fromUtf8(loan.name), kToday.addDays(loan.dueIn - 30), QString::fromLatin1(loan.returned),
                    kToday.addDays(loan.dueIn));
        }
    }
};

TEST_F(Loans, OverdueMeansNotReturnedAndDueBeforeTodayLongestOverFirst)
{
    QStringList overdue;
    for (const data::LoanLine& loan : data::dueLoans(dm->database(), kToday))
        overdue << QStringLiteral("%1 %2").arg(loan.tapeNr).arg(loan.daysOver);
    EXPECT_EQ(overdue, QStringList({"0005-00 9", "0006-00 3", "0001-00 1"}));

    QStringList soon;
    for (const data::LoanLine& loan : data::dueLoans(dm->database(), kToday, 1))
        soon << loan.tapeNr;
    EXPECT_EQ(soon, QStringList({"0005-00", "0006-00", "0001-00", "0002-00", "0003-00"})) << "within one day: tomorrow too";
}

TEST_F(Loans, ANewLoanIsDueAfterTheLoanPeriodAndTickingItReturnedDatesIt)
{
    dm->storeConfig({{QStringLiteral("Laanetid"), 14}});
    addTape(QStringLiteral("0007-00"), QStringLiteral("Ny"));
    addLoan(*dm, QStringLiteral("Dan"), QDate(2026, 12, 1));
    engine::Table& loans = *dm->UdlaanTable;
    EXPECT_EQ(stored(loans, "Forfald"), QStringLiteral("2026-12-15"));

    loans.Edit();
    loans.FieldByName(QStringLiteral("Returneret")).SetAsString(QStringLiteral("Ja"));
    loans.Post();
    EXPECT_EQ(stored(loans, "ReturDato"), QStringLiteral("2026-12-10"));

    loans.Edit();
    loans.FieldByName(QStringLiteral("Returneret")).SetAsString(QStringLiteral("Nej"));
    loans.Post();
    EXPECT_TRUE(stored(loans, "ReturDato").isEmpty()) << "clearing the tick clears the date";
}

TEST_F(Loans, EveryBorrowerOnceWithCountsAndTheirLoansCurrentFirst)
{
    QStringList names;
    for (const data::Borrower& b : data::borrowers(dm->database(), kToday))
        names << QStringLiteral("%1 %2/%3/%4").arg(b.name).arg(b.current).arg(b.overdue).arg(b.total);
    EXPECT_EQ(names, QStringList({"Bo 3/1/3", "Carl 0/0/1", "Åse 2/2/2"}));

    addLoan(*dm, QStringLiteral("Carl"), kToday.addDays(-5));
    QStringList carl;
    for (const data::LoanLine& loan : data::loansOf(dm->database(), QStringLiteral("Carl"), kToday))
        carl << loan.tapeNr + (loan.current ? QStringLiteral(" now") : QStringLiteral(" back"));
    EXPECT_EQ(carl, QStringList({"0006-00 now", "0004-00 back"}));
}
