#include "PrintProgressDialog.h"
#include "ReportTexts.h"

#include <QCoreApplication>
#include <limits>

namespace report {

PrintProgressDialog::PrintProgressDialog(QWidget* parent, int pageCount, const QString& verb, int showAfterMs)
    : dialog_(new QProgressDialog(parent)), pageCount_(pageCount),
      verb_(verb.isEmpty() ? reportText("Printing", QStringLiteral("Udskriver")) : verb), showAfterMs_(showAfterMs)
{
    clock_.start();
    dialog_->setWindowTitle(verb_);
    dialog_->setCancelButtonText(reportText("Cancel", QStringLiteral("Annuller")));
    dialog_->setRange(0, pageCount);
    if (pageCount == 0)
        dialog_->setLabelText(reportText("Counting", QStringLiteral("Tæller sider …")));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    // The window shows itself only when poll() says so.
    dialog_->setMinimumDuration(std::numeric_limits<int>::max());
    if (showAfterMs_ <= 0)
        show();
}

PrintProgressDialog::~PrintProgressDialog()
{
    delete dialog_.data();
}

void PrintProgressDialog::setPageCount(int pageCount)
{
    pageCount_ = pageCount;
    if (dialog_)
        dialog_->setRange(0, pageCount);
}

bool PrintProgressDialog::advance(int pageIndex)
{
    if (!dialog_)
        return false;
    // The data may have grown since the pages were counted.
    pageCount_ = qMax(pageCount_, pageIndex + 1);
    dialog_->setMaximum(pageCount_);
    dialog_->setLabelText(reportText("PageProgress", QStringLiteral("%1 side %2 af %3")).arg(verb_).arg(pageIndex + 1).arg(pageCount_));
    dialog_->setValue(pageIndex);
    return poll();
}

void PrintProgressDialog::show()
{
    shown_ = true;
    dialog_->show();
}

bool PrintProgressDialog::poll()
{
    if (!dialog_)
        return false;
    if (!shown_) {
        // A short job ends before anything shows, so it flashes no window.
        if (clock_.elapsed() < showAfterMs_)
            return true;
        show();
    }
    QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
}

} // namespace report
