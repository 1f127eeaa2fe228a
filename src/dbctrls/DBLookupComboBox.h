#pragma once
// A drop-down list of the values of one field of a list table (ListSource, ListField; the key
// field is the same field unless KeyField says otherwise). The list is read row by row on
// demand, so a list over 100,000 records opens at once.
//
// Bound (DataSource and DataField set): shows the field's value; choosing a value writes it
// into the field (starting the edit state).
// Unbound (no DataSource): a picker. Choosing a value shows it, moves the list table to the
// first record holding that key (Locate), and emits chosen() every time, also for the value
// already shown. setKeyValue() changes what is shown without counting as a choice.
//
// The list cannot be typed into; letters jump to a matching entry, unless an edit is paired
// with it (setTypingTarget), which then takes them. The mouse wheel does not choose.
#include "FieldDataLink.h"

#include <QComboBox>

class QFrame;
class QListView;

namespace engine {
class DataSource;
}

namespace dbctrls {

class TDBLookupListModel;

class TDBLookupComboBox : public QComboBox {
    Q_OBJECT
    // Its rows are records of the list table, not texts of a window: no localizer may write them.
    Q_CLASSINFO("NotTranslated", "Items")
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
public:
    explicit TDBLookupComboBox(QWidget* parent = nullptr);
    ~TDBLookupComboBox() override;

    void setDataSource(engine::DataSource* source);
    engine::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataField(const QString& name);
    const QString& dataField() const { return link_.fieldName(); }

    void setListSource(engine::DataSource* source);
    engine::DataSource* listSource() const;
    void setKeyField(const QString& name);
    void setListField(const QString& name);

    /// Rows shown when the list is open (DropDownRows).
    void setDropDownRows(int rows);
    int dropDownRows() const { return dropDownRows_; }

    /// The value shown (the key); empty when nothing is shown.
    const QString& keyValue() const { return keyValue_; }
    /// Shows a key value (empty: nothing). Not a choice: no signal, no field written.
    void setKeyValue(const QString& key);
    /// The shown text (the list field of the key's row; the key itself when they are the same field).
    QString shownText() const;

    /// Pairs the list with the free-text edit that lies over it, so the two are one control:
    /// the list takes no focus of its own (the pair is one Tab stop, the edit's), Alt+Down,
    /// Alt+Up or F4 in the edit opens the list, and a text key typed while the list is open
    /// closes it and goes to the edit, so nothing typed is lost.
    void setTypingTarget(QWidget* edit);
    QWidget* typingTarget() const { return typingTarget_; }

    /// Chooses a row as the user does: writes the field (bound) or shows and locates (unbound),
    /// then emits chosen().
    void chooseRow(int row);

    TDBLookupListModel* listModel() const { return model_; }
    /// The drop-down list while it is (or was last) open.
    QListView* dropDownView() const { return view_; }
    bool dropDownVisible() const;

    void showPopup() override;
    void hidePopup() override;

signals:
    /// A value was chosen from the list (also the one already shown).
    void chosen(const QString& keyValue);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showField();
    void syncCurrentIndex();
    void buildPopup();
    void placePopup();

    TFieldDataLink link_;
    TDBLookupListModel* model_;
    QString keyValue_;
    int dropDownRows_ = 7;
    QFrame* popup_ = nullptr;
    QListView* view_ = nullptr;
    QWidget* typingTarget_ = nullptr;
};

} // namespace dbctrls
