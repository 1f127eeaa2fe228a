#include "Loans.h"

#include "FieldTable.h"
#include "Fields.h"
#include "core/SectionTexts.h"
#include "engine/Database.h"
#include "engine/Field.h"
#include "engine/SortExpression.h"
#include "engine/Statement.h"
#include "engine/Table.h"
#include "engine/TableCheck.h"

#include <algorithm>

namespace data {

namespace {

const QString kNotReturned = notReturnedCondition(QStringLiteral("u."));

QDate isoDate(const QString& text)
{
    return QDate::fromString(text, Qt::ISODate);
}

QString loanSelect()
{
    return QStringLiteral("SELECT u.Tapenr, v.Titel, u.Navn, u.Telefon, u.Dato, u.Forfald, u.ReturDato, "
                          "(%1) AS current FROM Udlaan.Udlaan AS u "
                          "LEFT JOIN Video.Video AS v ON v.TapeNr = u.Tapenr ")
        .arg(kNotReturned);
}

std::vector<LoanLine> readLines(engine::Statement& query, const QDate& today)
{
    std::vector<LoanLine> lines;
    while (query.step()) {
        LoanLine line{query.text(0), query.text(1), query.text(2), query.text(3),
                      isoDate(query.text(4)), isoDate(query.text(5)), isoDate(query.text(6)),
                      query.int64(7) != 0};
        if (line.current && line.due.isValid() && line.due < today)
            line.daysOver = int(line.due.daysTo(today));
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace

std::vector<LoanLine> dueLoans(engine::Database& db, const QDate& today, int withinDays)
{
    engine::Statement query(db, loanSelect()
                                    + QStringLiteral("WHERE %1 AND coalesce(u.Forfald, '') <> '' AND u.Forfald < ?1 "
                                                     "ORDER BY u.Forfald, u.Tapenr")
                                          .arg(kNotReturned));
    // Within N days takes in the Nth day; with none, the loans due today are not overdue yet.
    query.bindText(1, today.addDays(withinDays > 0 ? withinDays + 1 : 0).toString(Qt::ISODate));
    return readLines(query, today);
}

std::vector<Borrower> borrowers(engine::Database& db, const QDate& today)
{
    // The telephone of the newest loan that has one: a borrower's number may have changed.
    engine::Statement query(
        db, QStringLiteral("SELECT u.Navn, "
                           "(SELECT t.Telefon FROM Udlaan.Udlaan AS t WHERE t.Navn = u.Navn AND coalesce(t.Telefon, '') <> '' "
                           " ORDER BY t.Dato DESC, t.rowid DESC LIMIT 1), "
                           "sum(%1), sum((%1) AND coalesce(u.Forfald, '') <> '' AND u.Forfald < ?1), count(*) "
                           "FROM Udlaan.Udlaan AS u WHERE coalesce(u.Navn, '') <> '' GROUP BY u.Navn")
                .arg(kNotReturned));
    query.bindText(1, today.toString(Qt::ISODate));
    std::vector<Borrower> result;
    while (query.step())
        result.push_back({query.text(0), query.text(1), int(query.int64(2)), int(query.int64(3)), int(query.int64(4))});
    // The loans file has no sort key on names; a borrower list is short enough to sort here.
    std::sort(result.begin(), result.end(), [](const Borrower& a, const Borrower& b) {
        const QString foldA = engine::danishFold(a.name), foldB = engine::danishFold(b.name);
        return foldA != foldB ? foldA < foldB : a.name < b.name;
    });
    return result;
}

std::vector<LoanLine> loansOf(engine::Database& db, const QString& name, const QDate& today)
{
    engine::Statement query(db, loanSelect()
                                    + QStringLiteral("WHERE u.Navn = ?1 ORDER BY current DESC, "
                                                     "CASE WHEN current THEN coalesce(u.Forfald, '9999') END, "
                                                     "u.Dato DESC, u.rowid DESC"));
    query.bindText(1, name);
    return readLines(query, today);
}

QString overdueTapeCondition()
{
    // IN over the due-date index reads only the overdue loans, not one probe per tape.
    return QStringLiteral("\"Video\".\"Video\".TapeNr IN (SELECT u.Tapenr FROM \"Udlaan\".\"Udlaan\" AS u WHERE %1 "
                          "AND coalesce(u.Forfald, '') <> '' AND u.Forfald < ?)")
        .arg(kNotReturned);
}

QString loanText(const char* key, const QString& danish)
{
    return core::sectionText("Loans", key, danish);
}

namespace {
int sensibleLoanDays(qint64 loanDays)
{
    return loanDays <= 0 || loanDays > 3660 ? kDefaultLoanDays : int(loanDays);
}
} // namespace

QDate dueDateFor(const QDate& lent, int loanDays)
{
    return lent.addDays(sensibleLoanDays(loanDays));
}

int storedLoanDays(engine::Database& db, const QString& configSchema)
{
    if (!engine::columnNames(db, configSchema).contains(QLatin1String(fields::Laanetid)))
        return kDefaultLoanDays;
    engine::Statement query(db, QStringLiteral("SELECT %1 FROM %2.\"Config\" ORDER BY rowid LIMIT 1")
                                    .arg(QLatin1String(fields::Laanetid), engine::quoteId(configSchema)));
    return query.step() && !query.value(0).isNull() ? sensibleLoanDays(query.int64(0)) : kDefaultLoanDays;
}

int fillMissingDueDates(engine::Database& db, const QString& loanSchema, int loanDays)
{
    // Dates are ISO text, so SQLite's date() adds the days as QDate::addDays does; a date it
    // cannot read stays without a due date, as the record rules leave it.
    engine::Statement fill(db, QStringLiteral("UPDATE %1.\"Udlaan\" SET Forfald = date(Dato, ?1) WHERE %2 "
                                              "AND coalesce(Forfald, '') = '' AND date(Dato) IS NOT NULL")
                                   .arg(engine::quoteId(loanSchema), notReturnedCondition(QString())));
    fill.bindText(1, QStringLiteral("+%1 days").arg(sensibleLoanDays(loanDays)));
    fill.run();
    return fill.changes();
}

void settleReturn(engine::Table& loans, const QDate& today)
{
    engine::Field& returned = loans.FieldByName(fields::Returneret);
    engine::Field& date = loans.FieldByName(fields::ReturDato);
    const QString text = returned.AsString().trimmed();
    if (text == QLatin1String("Ja")) {
        if (date.IsNull())
            date.SetValue(today.toString(Qt::ISODate));
    } else if (text.isEmpty() && !date.IsNull()) {
        // A return date typed alone says the tape came back.
        returned.SetAsString(QStringLiteral("Ja"));
    } else if (!date.IsNull()) {
        date.Clear();
    }
}

bool pendingReturned(const engine::Table& loans)
{
    return loans.FieldByName(fields::Returneret).AsString().trimmed() == QLatin1String("Ja")
           || !loans.FieldByName(fields::ReturDato).IsNull();
}

bool settleLentFlag(engine::Database& db, const QString& tapeNr, qint64 skipRowid, bool pendingOpen)
{
    bool open = pendingOpen;
    if (!open) {
        engine::Statement others(db, QStringLiteral("SELECT 1 FROM Udlaan.Udlaan AS u WHERE u.Tapenr = ?1 "
                                                    "AND u.rowid <> ?2 AND %1 LIMIT 1")
                                         .arg(kNotReturned));
        others.bindText(1, tapeNr).bindInt(2, skipRowid);
        open = others.step();
    }
    const QString flag = open ? QStringLiteral("Ja") : QStringLiteral("Nej");
    db.prepareWrite();
    engine::Statement write(db, QStringLiteral("UPDATE Video.Video SET Udlaan = ?1 WHERE TapeNr = ?2 "
                                               "AND Udlaan IS NOT ?1"));
    write.bindText(1, flag).bindText(2, tapeNr);
    write.run();
    return write.changes() > 0;
}

bool tapeExists(engine::Database& db, const QString& tapeNr)
{
    engine::Statement query(db, QStringLiteral("SELECT 1 FROM Video.Video WHERE TapeNr = ?1 LIMIT 1"));
    query.bindText(1, tapeNr);
    return query.step();
}

} // namespace data
