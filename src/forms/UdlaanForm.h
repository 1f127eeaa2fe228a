#pragma once
// The loans window: the loans of the current tape, which can be added, edited and deleted,
// and "Vis alle" to see the loans of every tape. Made, shown modally and freed by the
// registration window's "Udlånt til".
#include <QDialog>

class QLabel;
class QLineEdit;
class QToolButton;

namespace dbctrls {
class TDBGrid;
class TDBNavigator;
class TDBText;
}
namespace locale {
class TQFormLocalizer;
}

namespace forms {

/// The texts the loans window sets for a language name.
struct UdlaanTexts {
    const char* caption;
    const char* showAll;
    const char* columns;  ///< the first four column titles, comma-separated
    const char* hints;    ///< the nine navigator hints, comma-separated
};

/// The texts for a language name of the language list, compared exactly; nullptr for any other name.
const UdlaanTexts* udlaanTextsFor(const QString& languageName);

class TUdlaanForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 610;
    static constexpr int kDesignHeight = 410;

    explicit TUdlaanForm(QWidget* parent = nullptr);

    /// The properties the window's localizer translates.
    static QStringList propNames();

    locale::TQFormLocalizer* QFormLocalizer1;
    dbctrls::TDBText* DBText2;
    dbctrls::TDBGrid* DBGrid2;
    dbctrls::TDBNavigator* DBNavigator3;
    QToolButton* SpeedButton5;
    QLabel* Label1;
    /// The scan field: a tape number or barcode and Enter start a new loan of that tape.
    QLineEdit* ScanEdit;

    /// Narrows the loans to the current tape and sets the texts of the language shown by the
    /// main window's language label.
    void FormShow();
    /// "Vis alle": the loans of every tape.
    void SpeedButton5Click();
    /// A tape number scanned into the scan field or the scan box: that tape becomes VideoTable's current one (the
    /// registration window shows it afterwards) and a new loan of it starts; an unknown code
    /// gets a message naming it. The borrower's name cell is then being edited.
    void TapeScanned(const QString& code);
    /// The closing step (Escape, the close box, Alt+F4): posts a pending loan, or asks.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyTexts(const UdlaanTexts& texts);
};

} // namespace forms
