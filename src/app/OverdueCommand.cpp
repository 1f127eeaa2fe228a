#include "OverdueCommand.h"

#include "CommandLine.h"
#include "CommandTexts.h"
#include "data/DM.h"
#include "data/Loans.h"

#include <QLocale>
#include <cstring>

namespace app {

namespace {

const char kColumns[] = "Båndnr.,Titel,Låner,Telefon,Udlånt,Forfald,Dage over";

QString isoOrEmpty(const QDate& date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

} // namespace

std::optional<int> parseDueDays(int argc, char** argv, int i)
{
    if (i + 1 >= argc)
        return std::nullopt;
    bool ok = false;
    const int days = QString::fromLocal8Bit(argv[i + 1]).toInt(&ok);
    if (!ok || days < 0 || days > 3650)
        return std::nullopt;
    return days;
}

QString overdueText(data::TDM& dm, const QDate& today, int days)
{
    // Dates as ISO text: a script or a spreadsheet reads them whatever the locale.
    QString text = data::loanText("Columns", QString::fromUtf8(kColumns)).split(QLatin1Char(',')).join(QLatin1Char('\t'))
                   + QLatin1Char('\n');
    for (const data::LoanLine& loan : data::dueLoans(dm.database(), today, days)) {
        const QStringList cells{loan.tapeNr, loan.title, loan.name, loan.telephone, isoOrEmpty(loan.lent),
                                isoOrEmpty(loan.due), QString::number(loan.daysOver)};
        QStringList clean;
        for (const QString& cell : cells)
            clean << QString(cell).replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '))
                         .replace(QLatin1Char('\r'), QLatin1Char(' '));
        text += clean.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

int runOverdueCommand(int argc, char** argv, int i)
{
    int days = 0;
    if (i + 1 < argc && std::strcmp(argv[i + 1], "--days") == 0) {
        const std::optional<int> parsed = parseDueDays(argc, argv, i + 1);
        if (!parsed) {
            print(stderr, QStringLiteral("spolarkiv: %1\n")
                              .arg(data::loanText("UnknownDays", QStringLiteral("--days tager et helt antal dage fra 0 til 3650"))));
            return 2;
        }
        days = *parsed;
    }
    return runReadCommand(argc, argv, [days](data::TDM& dm) {
        const StoredLanguageTexts texts(dm.database().dataDir());
        print(stdout, overdueText(dm, QDate::currentDate(), days));
    });
}

} // namespace app
