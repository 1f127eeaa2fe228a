#include "PrintProgressDialog.h"

#include <QCoreApplication>

namespace report {

PrintProgressDialog::PrintProgressDialog(QWidget* parent, int pageCount)
    : dialog_(new QProgressDialog(parent)), pageCount_(pageCount)
{
    dialog_->setWindowTitle(QStringLiteral("Udskriver"));
    dialog_->setCancelButtonText(QStringLiteral("Annuller"));
    dialog_->setRange(0, pageCount);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    dialog_->show();
}

PrintProgressDialog::~PrintProgressDialog()
{
    delete dialog_.data();
}

bool PrintProgressDialog::advance(int pageIndex)
{
    if (!dialog_)
        return false;
    dialog_->setLabelText(QStringLiteral("Udskriver side %1 af %2").arg(pageIndex + 1).arg(pageCount_));
    dialog_->setValue(pageIndex);
    QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
}

} // namespace report
