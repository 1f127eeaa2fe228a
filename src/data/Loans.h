#pragma once
// Loans as a whole: which are overdue, who the borrowers are, and the rules that keep a
// loan's due date and return date. A loan counts as returned when its Returneret text is
// "Ja" or it has a return date; it is overdue when not returned and its due date lies
// before today (a loan due today is not overdue yet).
#include <QDate>
#include <QString>
#include <vector>

namespace engine {
class Database;
class Table;
} // namespace engine

namespace data {

struct LoanLine {
    QString tapeNr;
    QString title;
    QString name;
    QString telephone;
    QDate lent;
    QDate due;
    QDate returned;
    bool current = false; ///< not returned
    int daysOver = 0;     ///< days past the due date (0 when not overdue)
};

struct Borrower {
    QString name;
    QString telephone; ///< from the borrower's newest loan that has one
    int current = 0;   ///< loans not returned
    int overdue = 0;   ///< of those, past their due date
    int total = 0;
};

/// The loan period when the configuration holds none or nonsense.
constexpr int kDefaultLoanDays = 30;

/// Not-returned loans due before today (the overdue ones) and, with withinDays > 0, those due
/// within that many days, the last one included; longest over first, then by tape number.
/// Reads Video and Udlaan of db as attached.
std::vector<LoanLine> dueLoans(engine::Database& db, const QDate& today, int withinDays = 0);

/// Every name that ever borrowed a tape, once, in the Danish order, with its counts.
std::vector<Borrower> borrowers(engine::Database& db, const QDate& today);

/// The loans of one borrower: current ones first (oldest due first), then the history,
/// newest first.
std::vector<LoanLine> loansOf(engine::Database& db, const QString& name, const QDate& today);

/// SQL condition on the Video view that holds for tapes with an overdue loan; its one
/// parameter is today's date as ISO text.
QString overdueTapeCondition();

/// The loans' text for key in the active language; danish when none is known.
QString loanText(const char* key, const QString& danish);

/// A new loan's due date: lent + loanDays (days <= 0 or over ten years read as the default).
QDate dueDateFor(const QDate& lent, int loanDays);

/// The loan period the configuration attached as configSchema holds; the default when it
/// holds none, nonsense, or is older than the field.
int storedLoanDays(engine::Database& db, const QString& configSchema);

/// Gives every open loan of the loans attached as loanSchema that has no due date (a loan
/// from before due dates) its date plus loanDays, as a new loan gets. Returns how many.
int fillMissingDueDates(engine::Database& db, const QString& loanSchema, int loanDays);

/// Keeps a loan row's return date in step with its returned text before it is stored:
/// "Ja" without a date gets today's, anything else clears it.
void settleReturn(engine::Table& loans, const QDate& today);

/// True when the loan row in edit or insert state counts as returned with its pending values.
bool pendingReturned(const engine::Table& loans);

/// Sets Video.Udlaan of tapeNr to "Ja" when it has an open loan, else "Nej"; the loan row
/// skipRowid (0: none) counts as open exactly when pendingOpen. Writes only a changed flag;
/// runs inside the caller's transaction. True when it wrote.
bool settleLentFlag(engine::Database& db, const QString& tapeNr, qint64 skipRowid, bool pendingOpen);

/// True when a tape with exactly that number is in the catalogue.
bool tapeExists(engine::Database& db, const QString& tapeNr);

} // namespace data
