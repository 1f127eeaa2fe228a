#include "LaanerForm.h"

#include "AppContext.h"
#include "LoanViews.h"
#include "UdlaanForm.h"
#include "core/Guard.h"
#include "data/DM.h"

#include <QSplitter>
#include <QVBoxLayout>

namespace forms {

namespace {
const char kBorrowerColumns[] = "Navn,Telefon,Udlånt nu,Overskredne,I alt";
const char kHistoryColumns[] = "Båndnr.,Titel,Udlånt,Forfald,Returneret";

QStringList titles(const char* key, const char* danish)
{
    return data::loanText(key, QString::fromUtf8(danish)).split(QLatin1Char(','));
}
} // namespace

TLaanerForm::TLaanerForm(QWidget* parent, const QDate& today) : QDialog(parent), today_(today)
{
    setObjectName(QStringLiteral("LaanerForm"));
    setWindowTitle(data::loanText("Borrowers", QStringLiteral("Lånere")));
    auto* split = new QSplitter(Qt::Vertical, this);
    BorrowerList = makeLoanList(split, "BorrowerList", titles("BorrowerColumns", kBorrowerColumns));
    BorrowerList->setAccessibleName(windowTitle());
    LoanList = makeLoanList(split, "LoanList", titles("HistoryColumns", kHistoryColumns));
    const UdlaanTexts* loanTexts = udlaanTextsFor(appContext().languageName());
    LoanList->setAccessibleName(QString::fromUtf8(loanTexts ? loanTexts->caption : "Udlån"));
    split->addWidget(BorrowerList);
    split->addWidget(LoanList);
    (new QVBoxLayout(this))->addWidget(split);

    std::vector<QStringList> rows;
    for (const data::Borrower& b : data::borrowers(data::DM->database(), today_))
        rows.push_back({b.name, b.telephone, QString::number(b.current), QString::number(b.overdue), QString::number(b.total)});
    connect(BorrowerList, &QTableWidget::currentCellChanged, this,
            [this](int row) { core::guarded([this, row] { showLoansOf(row); }); });
    fillLoanList(*BorrowerList, rows);
    resize(640, 480);
}

void TLaanerForm::showLoansOf(int row)
{
    std::vector<QStringList> rows;
    if (row >= 0)
        for (const data::LoanLine& loan : data::loansOf(data::DM->database(), BorrowerList->item(row, 0)->text(), today_))
            rows.push_back({loan.tapeNr, loan.title, shownDate(loan.lent), shownDate(loan.due), shownDate(loan.returned)});
    fillLoanList(*LoanList, rows);
}

} // namespace forms
