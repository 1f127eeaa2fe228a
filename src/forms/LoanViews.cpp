#include "LoanViews.h"

#include "UdlaanForm.h"
#include "data/DM.h"
#include "data/Fields.h"
#include "engine/Filter.h"
#include "engine/Table.h"

#include <QHeaderView>
#include "engine/Field.h"

namespace forms {

QTableWidget* makeLoanList(QWidget* parent, const char* name, const QStringList& titles)
{
    auto* list = new QTableWidget(0, int(titles.size()), parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setHorizontalHeaderLabels(titles);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setTabKeyNavigation(false); // Tab leaves the list, arrows move inside it
    list->verticalHeader()->hide();
    list->horizontalHeader()->setStretchLastSection(true);
    return list;
}

void fillLoanList(QTableWidget& list, const std::vector<QStringList>& rows)
{
    list.setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < rows[size_t(r)].size() && c < list.columnCount(); ++c)
            list.setItem(r, c, new QTableWidgetItem(rows[size_t(r)][c]));
    list.resizeColumnsToContents();
    if (!rows.empty())
        list.setCurrentCell(0, 0);
}

QString shownDate(const QDate& date)
{
    return date.isValid() ? engine::shortDate(date) : QString();
}

bool showLoansOfTape(QWidget* parent, const QString& tapeNr)
{
    engine::Table& video = *data::DM->VideoTable;
    if (video.Editing())
        video.Post();
    // The overview may have left a selection that hides the tape.
    if (!video.Locate(data::fields::TapeNr, tapeNr)) {
        if (!video.Filtered())
            return false;
        video.SetFiltered(false);
        if (!video.Locate(data::fields::TapeNr, tapeNr))
            return false;
    }
    {
        TUdlaanForm loans(parent);
        loans.exec();
    }
    engine::Table& udlaan = *data::DM->UdlaanTable;
    udlaan.SetFilter(engine::makeFilter(data::fields::LinkTapeNr, tapeNr));
    udlaan.SetFiltered(true);
    return true;
}

} // namespace forms
