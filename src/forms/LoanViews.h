#pragma once
// What the loan windows share: a read-only list of rows, filled from the loan queries, and
// opening the loans of one tape as the registration window's "Udlånt til" does.
#include "data/Loans.h"

#include <QStringList>
#include <QTableWidget>
#include <vector>

namespace forms {

/// A read-only table of whole rows, single selection, titles from a comma list.
QTableWidget* makeLoanList(QWidget* parent, const char* name, const QStringList& titles);

/// Fills list with cells, one vector per row; dates already as text.
void fillLoanList(QTableWidget& list, const std::vector<QStringList>& rows);

/// A date as the windows show dates (the system's short form); empty when invalid.
QString shownDate(const QDate& date);

/// Moves the catalogue to tapeNr and shows its loans window; false when no tape has it.
bool showLoansOfTape(QWidget* parent, const QString& tapeNr);

} // namespace forms
