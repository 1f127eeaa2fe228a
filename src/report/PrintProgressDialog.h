#pragma once
// The progress window shown while pages are printed or prepared, with a cancel button.
// Before the pages are counted it shows that it is counting.
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

namespace report {

class PrintProgressDialog {
public:
    /// pageCount 0: not counted yet. verb names the work in the title and label (empty: printing,
    /// "Udskriver" in the active language). With showAfterMs the window shows only once the work
    /// has taken that long, and until then no event is handled.
    PrintProgressDialog(QWidget* parent, int pageCount, const QString& verb = QString(), int showAfterMs = 0);
    ~PrintProgressDialog();
    PrintProgressDialog(const PrintProgressDialog&) = delete;
    PrintProgressDialog& operator=(const PrintProgressDialog&) = delete;

    /// Sets the number of pages once they are counted.
    void setPageCount(int pageCount);
    /// Shows that page pageIndex (0-based) is being printed and lets the window react; false
    /// once the user has cancelled.
    bool advance(int pageIndex);
    /// Lets the window react without showing progress; false once the user has cancelled.
    bool poll();
    QProgressDialog* dialog() const { return dialog_; }

private:
    void show();

    QPointer<QProgressDialog> dialog_;
    int pageCount_;
    QString verb_;
    int showAfterMs_;
    QElapsedTimer clock_;
    bool shown_ = false;
};

} // namespace report
