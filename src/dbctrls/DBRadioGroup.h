#pragma once
// A group of radio buttons bound to a text field. Items are the shown texts, Values the
// stored ones (an item without a value stores its text). Checking a button writes its value;
// a stored value that matches no button checks none. Items and Values can change at any time
// (the localizer shrinks and grows them); the buttons follow. The group is one tab stop and
// the arrow keys choose inside it (TRadioKeys).
#include "FieldDataLink.h"

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

namespace engine {
class DataSource;
}

namespace dbctrls {

class TRadioKeys;

class TDBRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ title WRITE setTitle)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(QStringList Values READ values WRITE setValues)
public:
    explicit TDBRadioGroup(QWidget* parent = nullptr);

    void setDataSource(engine::DataSource* source);
    engine::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataField(const QString& name);
    const QString& dataField() const { return link_.fieldName(); }

    const QStringList& items() const { return items_; }
    void setItems(const QStringList& items);
    const QStringList& values() const { return values_; }
    void setValues(const QStringList& values);

    /// Index of the checked button; -1 when none is checked.
    int itemIndex() const;
    /// The value a button stores.
    QString buttonValue(int index) const;
    /// The radio buttons in item order (owned by the group; they carry no object name).
    QRadioButton* button(int index) const;

signals:
    /// The user checked a button and its value was written.
    void itemClicked(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void rebuildButtons();
    void arrangeButtons();
    void showField();
    void check(int index);
    void buttonClicked(int index);

    TFieldDataLink link_;
    QStringList items_;
    QStringList values_;
    std::vector<QRadioButton*> buttons_;
    TRadioKeys* keys_ = nullptr;
};

} // namespace dbctrls
