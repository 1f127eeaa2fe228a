#pragma once
// The overview window: the whole collection in a grid, sorted, narrowed to one category,
// type, director, recorded-by name or to the lent tapes, and searched. It works on the data
// module's VideoTable, and what it sets (order, filter, current tape) stays after it closes.
// Created once at start-up with the main window as parent and shown with exec() each time.
#include "AccessibleNames.h"

#include <QDialog>
#include <QTimer>

class QEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace dbctrls {
class TDBGrid;
class TDBLookupComboBox;
} // namespace dbctrls
namespace locale {
class TQFormLocalizer;
}
namespace support {
class TEasyFind;
class TFormResizer;
} // namespace support

namespace forms {

class TOversigtForm : public QDialog {
    Q_OBJECT
public:
    /// The design's client size.
    static constexpr int kDesignWidth = 919;
    static constexpr int kDesignHeight = 484;
    /// The smallest client size at which no text clips and no control covers another in any
    /// language; the window cannot be made smaller.
    static constexpr int kMinimumWidth = 735;
    static constexpr int kMinimumHeight = 479;

    /// Needs the data module (data::DM); its tables may still be closed.
    explicit TOversigtForm(QWidget* parent = nullptr);
    ~TOversigtForm() override;

    /// The controls in the order Tab visits them (a radio group's buttons share one stop).
    QList<QWidget*> tabOrder() const;
    /// True while other orders of the shown view are still to be read ahead.
    bool readingAhead() const { return readAheadTimer_ && readAheadTimer_->isActive(); }

    locale::TQFormLocalizer* QFormLocalizer1;
    QFrame* Panel1;
    dbctrls::TDBGrid* DBGrid1;
    QFrame* Panel2;
    QGroupBox* GroupBox2;
    QRadioButton* RadioButton4;
    QRadioButton* RadioButton9;
    QRadioButton* RadioButton5;
    QRadioButton* RadioButton6;
    QRadioButton* RadioButton12; ///< shelf order
    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton10;
    QLineEdit* Edit1;
    QToolButton* SpeedButton1;
    QGroupBox* GroupBox3;
    QLabel* Label15;
    dbctrls::TDBLookupComboBox* DBLookupComboBox1;
    QLabel* Label20;
    dbctrls::TDBLookupComboBox* DBLookupComboBox3;
    QLabel* Label23;
    dbctrls::TDBLookupComboBox* DBLookupComboBox5;
    QLabel* Label24;
    dbctrls::TDBLookupComboBox* DBLookupComboBox6;
    QRadioButton* RadioButton8;
    QRadioButton* RadioButton7;
    QRadioButton* RadioButton11; ///< lent and overdue
    QLabel* Label8;
    QLineEdit* Edit3;
    QToolButton* SpeedButton2;
    QPushButton* Button1;
    QPushButton* Button2;
    support::TEasyFind* EasyFind1;
    support::TEasyFind* EasyFind2;
    support::TFormResizer* FormResizer1;

    // Handlers.
    void RadioButton4Click();
    void RadioButton9Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void RadioButton12Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    /// Searches the tapes' places.
    void RadioButton10Click();
    void Edit1Change();
    void Edit1KeyDown(int key);
    void SpeedButton1Click();
    void Edit3Change();
    void SpeedButton2Click();
    void DBLookupComboBox1Click();
    void DBLookupComboBox3Click();
    void DBLookupComboBox5Click();
    void DBLookupComboBox6Click();
    void RadioButton8Click();
    void RadioButton7Click();
    void RadioButton11Click();
    void Button1Click();
    void Button2Click();
    void FormCreate();
    void FormResize();
    void FormShow();
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createGrid();
    void createOrderGroup();
    void createSearchGroup();
    void createSelectionGroup();
    void createContentSearch();
    void createSearches();
    void connectHandlers();
    void setUpKeyboard();
    dbctrls::TDBLookupComboBox* createPicker(const char* name, const QRect& bounds, const char* listField);
    void setOrder(const QString& indexName);
    void chooseSearchField(const QString& field);
    void filterByList(const QString& field, dbctrls::TDBLookupComboBox* chosen);
    void clearLists(const dbctrls::TDBLookupComboBox* except = nullptr);
    void fitTexts();
    void scheduleReadAhead();
    void readNextOrderAhead();

    int label8Right_ = 0;
    QTimer* readAheadTimer_ = nullptr;
    size_t readAheadNext_ = 0; ///< the next of the orders to read ahead
    AccessibleNames names_;
};

/// The overview window of the running program (not owned; set by its owner at start).
extern TOversigtForm* OversigtForm;

} // namespace forms
