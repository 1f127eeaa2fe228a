#pragma once
// A read-only label showing a field's text. For the form resizer it is a data-bound text
// label: it keeps its width when the window scales.
#include "FieldDataLink.h"

#include <QLabel>

namespace engine {
class DataSource;
}

namespace dbctrls {

class TDBText : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
public:
    explicit TDBText(QWidget* parent = nullptr);

    void setDataSource(engine::DataSource* source);
    engine::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataField(const QString& name);
    const QString& dataField() const { return link_.fieldName(); }

private:
    void showField();

    TFieldDataLink link_;
};

} // namespace dbctrls
