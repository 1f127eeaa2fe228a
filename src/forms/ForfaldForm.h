#pragma once
// "Overskredne udlån": the loans past their due date and not returned, longest over first.
// Shown when the main window first shows (unless turned off) and from the menu; a
// double-click or Enter on a row opens that tape's loans; "Luk" or Escape closes it.
#include <QDialog>
#include <QDate>

class QCheckBox;
class QPushButton;
class QTableWidget;

namespace forms {

class TForfaldForm : public QDialog {
    Q_OBJECT
public:
    /// Reads the overdue loans of the data module as of today.
    TForfaldForm(QWidget* parent, const QDate& today);

    /// Number of overdue loans listed.
    int count() const;

    QTableWidget* LoanList = nullptr;
    QCheckBox* VisVedStart = nullptr;
    QPushButton* Luk = nullptr; ///< closes the window, as Escape does

    /// Shows the window when the catalogue has overdue loans and the configuration asks for it.
    static void showAtStart(QWidget* parent, const QDate& today);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void reload();
    void openCurrent();
    void VisVedStartClick(bool on);

    QDate today_;
};

} // namespace forms
