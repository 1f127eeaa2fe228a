#include "ForfaldForm.h"

#include "LoanViews.h"
#include "core/Guard.h"
#include "data/DM.h"
#include "data/Fields.h"
#include "engine/Table.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace forms {

namespace {
const char kColumns[] = "Båndnr.,Titel,Låner,Telefon,Udlånt,Forfald,Dage over";
}

TForfaldForm::TForfaldForm(QWidget* parent, const QDate& today) : QDialog(parent), today_(today)
{
    setObjectName(QStringLiteral("ForfaldForm"));
    setWindowTitle(data::loanText("Overdue", QStringLiteral("Overskredne udlån")));
    LoanList = makeLoanList(this, "LoanList", data::loanText("Columns", QString::fromUtf8(kColumns)).split(QLatin1Char(',')));
    LoanList->setAccessibleName(windowTitle());
    VisVedStart = new QCheckBox(data::loanText("ShowAtStart", QStringLiteral("Vis overskredne udlån ved start")), this);
    VisVedStart->setObjectName(QStringLiteral("VisVedStart"));
    VisVedStart->setChecked(data::DM->configInteger(data::fields::VisOverskredne) != 0);
    Luk = new QPushButton(data::loanText("Close", QStringLiteral("Luk")), this);
    Luk->setObjectName(QStringLiteral("Luk"));
    // Enter on the list opens a tape's loans; only a click or Space on the button closes.
    Luk->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LoanList);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(VisVedStart);
    bottom->addStretch();
    bottom->addWidget(Luk);
    layout->addLayout(bottom);
    connect(Luk, &QPushButton::clicked, this, &QDialog::reject);
    core::connectGuarded(VisVedStart, &QCheckBox::toggled, this, &TForfaldForm::VisVedStartClick);
    connect(LoanList, &QTableWidget::cellDoubleClicked, this, [this] { core::guarded([this] { openCurrent(); }); });
    resize(720, 360);
    reload();
}

void TForfaldForm::reload()
{
    std::vector<QStringList> rows;
    for (const data::LoanLine& loan : data::dueLoans(data::DM->database(), today_))
        rows.push_back({loan.tapeNr, loan.title, loan.name, loan.telephone, shownDate(loan.lent), shownDate(loan.due),
                        QString::number(loan.daysOver)});
    fillLoanList(*LoanList, rows);
}

int TForfaldForm::count() const
{
    return LoanList->rowCount();
}

void TForfaldForm::openCurrent()
{
    const int row = LoanList->currentRow();
    if (row < 0)
        return;
    showLoansOfTape(this, LoanList->item(row, 0)->text());
    reload(); // a loan ticked returned there leaves the list
}

void TForfaldForm::VisVedStartClick(bool on)
{
    data::DM->storeConfig({{QString::fromLatin1(data::fields::VisOverskredne), on ? 1 : 0}});
}

void TForfaldForm::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && LoanList->hasFocus()) {
        core::guarded([this] { openCurrent(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForfaldForm::showAtStart(QWidget* parent, const QDate& today)
{
    if (data::DM->configInteger(data::fields::VisOverskredne) == 0)
        return;
    TForfaldForm form(parent, today);
    if (form.count() == 0)
        return;
    form.exec();
}

} // namespace forms
