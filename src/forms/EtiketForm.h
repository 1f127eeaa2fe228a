#pragma once
// The labels window: which sheet of labels and on which label of it to start (a partly used
// sheet goes through the printer again). The caller prints the labels when it is accepted.
#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace locale {
class TQFormLocalizer;
}
namespace output {
struct LabelSheet;
}

namespace forms {

class TEtiketForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 360;
    static constexpr int kDesignHeight = 150;

    explicit TEtiketForm(QWidget* parent = nullptr);

    /// The properties the window's localizer translates.
    static QStringList propNames();

    /// The chosen sheet.
    const output::LabelSheet& sheet() const;
    /// The chosen first label, 1 to the sheet's count.
    int firstPosition() const;

    locale::TQFormLocalizer* QFormLocalizer1;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QLabel* Label2;
    QSpinBox* SpinEdit1;
    QPushButton* Button1;
    QPushButton* Button2;

    /// A sheet was chosen: the first label can be any of its labels.
    void ComboBox1Change();
};

} // namespace forms
