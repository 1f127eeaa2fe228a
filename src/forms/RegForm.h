#pragma once
// The registration window: the current tape of VideoTable is created, read and edited here,
// with a grid of the tapes, a navigator, the loan controls, the tape's cast and its two cover
// pictures. Made once at start and reused; the main window shows it modally. It works on the
// data module's shared cursors (data::DM must exist when it is made). User-interface thread only.
#include "AccessibleNames.h"
#include "CoverPictures.h"
#include "dbctrls/DBNavigator.h"

#include <QDialog>

class QCompleter;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace dbctrls {
class TDBCheckBox;
class TDBDateEdit;
class TDBEdit;
class TDBGrid;
class TDBLookupComboBox;
class TDBMemo;
class TDBRadioGroup;
}
namespace locale {
class TQFormLocalizer;
}
namespace support {
class TFormResizer;
class TImage;
}

namespace forms {

class TapeScanner;

class TRegForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 1008;
    static constexpr int kDesignHeight = 537;
    /// The smallest client size at which no text clips and no control covers another in any
    /// language; the window cannot be made smaller.
    static constexpr int kMinimumWidth = 802;
    static constexpr int kMinimumHeight = 428;

    explicit TRegForm(QWidget* parent = nullptr);
    ~TRegForm() override;

    /// The properties the window's localizer translates.
    static QStringList propNames();
    /// The controls in the order Tab visits them (a radio group's buttons share one stop).
    QList<QWidget*> tabOrder() const;

    // Components and controls, by their design names.
    locale::TQFormLocalizer* QFormLocalizer1;
    support::TFormResizer* FormResizer1;
    QObject* OpenDialog1;

    QLabel* Label1;
    dbctrls::TDBEdit* DBEdit1;
    QLabel* Label19;
    dbctrls::TDBLookupComboBox* DBLookupComboBox4;
    QLabel* Label5;
    dbctrls::TDBEdit* DBEdit4;
    QLabel* Label6;
    dbctrls::TDBEdit* DBEdit5;
    QLabel* Label4;
    dbctrls::TDBEdit* DBEdit6;
    QLabel* Label2;
    dbctrls::TDBEdit* DBEdit3;
    QLabel* Label18;
    dbctrls::TDBLookupComboBox* DBLookupComboBox8;
    dbctrls::TDBEdit* DBEdit8;
    QLabel* Label22;
    dbctrls::TDBDateEdit* DBDateEdit1;
    QLabel* Label17;
    dbctrls::TDBLookupComboBox* DBLookupComboBox9;
    dbctrls::TDBEdit* DBEdit9;
    QLabel* Label3;
    dbctrls::TDBLookupComboBox* DBLookupComboBox2;
    dbctrls::TDBEdit* DBEdit10;
    QLabel* Label27;
    dbctrls::TDBEdit* DBEdit2;
    QLabel* Label28;
    dbctrls::TDBEdit* DBEdit7;
    dbctrls::TDBRadioGroup* DBRadioGroup1;
    QLabel* Label7;
    dbctrls::TDBMemo* DBMemo1;
    dbctrls::TDBGrid* DBGrid1;
    QToolButton* SpeedButton3;
    dbctrls::TDBNavigator* DBNavigator1;
    dbctrls::TDBCheckBox* DBCheckBox1;
    QPushButton* SpeedButton4;

    QLabel* Label21;
    dbctrls::TDBGrid* DBGrid4;
    QFrame* Bevel2;
    QToolButton* SpeedButton6;
    QToolButton* SpeedButton7;
    QToolButton* SpeedButton8;
    QLabel* Label29;
    dbctrls::TDBLookupComboBox* DBLookupComboBox10;

    // Where the tape stands, with the places already used, and its bought barcode.
    QLabel* Label30;
    dbctrls::TDBEdit* DBEdit11;
    QToolButton* SpeedButton9;
    QCompleter* PlaceringList;
    QLabel* Label31;
    dbctrls::TDBEdit* DBEdit12;

    QScrollArea* ScrollBox1;
    support::TImage* Image1;
    QPushButton* SpeedButton1;
    QPushButton* SpeedButton2;
    QScrollArea* ScrollBox2;
    support::TImage* Image2;

    // Handlers.
    void FormCreate();
    void FormResize();
    /// Size from H_Reg/W_Reg, then the pictures of the current tape.
    void FormShow();
    /// The next showing starts with the focus on the navigator, in no editable field, so a
    /// further scan goes to its tape instead of into a field (the window was opened by a scan).
    void startOnNavigator() { startOnNavigator_ = true; }
    /// A tape number or barcode scanned or given in the scan box: the pending record is posted
    /// and that tape shown; an unknown code gets a message naming it.
    void TapeScanned(const QString& code);
    /// Stores the size, then posts what is pending when tape number and title are filled in.
    /// False (the error shown) when a post was refused: the window stays open.
    bool FormClose();
    void DBEdit1Change();
    void DBCheckBox1Click();
    /// "Ny VHS/DVD".
    void SpeedButton3Click();
    void DBEdit5Exit();
    /// "Udlånt til".
    void SpeedButton4Click();
    void DBNavigator1Click(dbctrls::TDBNavigator::Button button);
    void DBGrid1CellClick();

    // Cast.
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void DBLookupComboBox10Click(const QString& name);

    // Shelf.
    /// Opens the list of every place the tapes stand at.
    void SpeedButton9Click();
    /// A place chosen from the list becomes the tape's.
    void PlaceringListChoose(const QString& place);

    // Cover pictures.
    /// Shows both pictures of the current tape (or the placeholder).
    void Billede();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Image1Click();
    void Image2Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createTapeControls();
    void createLookupControls();
    void createDetailControls();
    void createBrowseControls();
    void createCastControls();
    void createPictureControls();
    void createShelfControls();
    void refreshPlaces();
    void setTabOrders();
    void nameControls();
    void connectHandlers();
    void afterLanguageChange();
    void fitTexts();
    QString currentTapeNr() const;
    void addCastMember(const QString& name, const QString& role);
    void fetchPicture(CoverSide side, support::TImage* image);
    void showEnlarged(CoverSide side);

    AccessibleNames names_;
    TapeScanner* TapeScanner1;
    bool startOnNavigator_ = false;
};

/// The registration window of the running program (not owned; set by its owner at start).
extern TRegForm* RegForm;

} // namespace forms
