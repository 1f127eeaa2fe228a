#pragma once
// "Indstillinger": the loan period in days and whether the overdue loans show at start-up,
// both kept in the configuration record.
#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace forms {

class TIndstillingerForm : public QDialog {
    Q_OBJECT
public:
    /// Shows the stored settings; OK stores them, Cancel leaves them.
    explicit TIndstillingerForm(QWidget* parent);

    QSpinBox* Laanetid = nullptr;
    QCheckBox* VisVedStart = nullptr;

    /// Writes the shown values into the configuration record.
    void store();
};

} // namespace forms
