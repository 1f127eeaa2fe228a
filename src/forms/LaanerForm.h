#pragma once
// "Lånere": every name that ever borrowed a tape, with telephone and how many tapes the
// borrower has now and how many of those are overdue; choosing one lists that borrower's
// loans, current first, then the history.
#include <QDate>
#include <QDialog>

class QTableWidget;

namespace forms {

class TLaanerForm : public QDialog {
    Q_OBJECT
public:
    /// Reads the borrowers of the data module as of today.
    TLaanerForm(QWidget* parent, const QDate& today);

    QTableWidget* BorrowerList = nullptr;
    QTableWidget* LoanList = nullptr;

private:
    void showLoansOf(int row);

    QDate today_;
};

} // namespace forms
