#pragma once
// A check box bound to a text field holding one of two values. The field's value shows as
// checked (ValueChecked), unchecked (ValueUnchecked) or greyed (empty or any other value);
// letter case is ignored when reading. A user's click writes the value at once: checked
// becomes unchecked, unchecked and greyed become checked.
#include "FieldDataLink.h"

#include <QCheckBox>

namespace engine {
class DataSource;
}

namespace dbctrls {

class TDBCheckBox : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(QString ValueChecked READ valueChecked WRITE setValueChecked)
    Q_PROPERTY(QString ValueUnchecked READ valueUnchecked WRITE setValueUnchecked)
public:
    explicit TDBCheckBox(QWidget* parent = nullptr);

    void setDataSource(engine::DataSource* source);
    engine::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataField(const QString& name);
    const QString& dataField() const { return link_.fieldName(); }

    /// Values may list alternatives separated by ";": any of them reads as the state, the
    /// first is written. Defaults "True" and "False".
    const QString& valueChecked() const { return valueChecked_; }
    void setValueChecked(const QString& value);
    const QString& valueUnchecked() const { return valueUnchecked_; }
    void setValueUnchecked(const QString& value);

signals:
    /// The shown state changed: by the user's click or because the field changed (a move, a
    /// cancel, code writing the field). Emitted after the new state shows.
    void clickedOrChanged();

protected:
    void nextCheckState() override;

private:
    void showField();
    Qt::CheckState stateOf(const QString& value) const;

    TFieldDataLink link_;
    QString valueChecked_ = QStringLiteral("True");
    QString valueUnchecked_ = QStringLiteral("False");
};

} // namespace dbctrls
