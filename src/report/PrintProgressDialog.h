#pragma once
// The progress window shown while pages go to the printer, with a cancel button.
#include <QPointer>
#include <QProgressDialog>

namespace report {

class PrintProgressDialog {
public:
    PrintProgressDialog(QWidget* parent, int pageCount);
    ~PrintProgressDialog();
    PrintProgressDialog(const PrintProgressDialog&) = delete;
    PrintProgressDialog& operator=(const PrintProgressDialog&) = delete;

    /// Shows that page pageIndex (0-based) is being printed and lets the window react; false
    /// once the user has cancelled.
    bool advance(int pageIndex);
    QProgressDialog* dialog() const { return dialog_; }

private:
    QPointer<QProgressDialog> dialog_;
    int pageCount_;
};

} // namespace report
