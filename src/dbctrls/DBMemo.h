#pragma once
// A multi-line text bound to a memo field, with a vertical scroll bar. Behaves like TDBEdit:
// typing starts the edit state, the text is written when the memo is left and before a post.
#include "FieldDataLink.h"

#include <QPlainTextEdit>

namespace engine {
class DataSource;
}

namespace dbctrls {

class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
public:
    explicit TDBMemo(QWidget* parent = nullptr);

    void setDataSource(engine::DataSource* source);
    engine::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataField(const QString& name);
    const QString& dataField() const { return link_.fieldName(); }

    bool isModified() const { return link_.isModified(); }
    void updateRecord() { link_.updateRecord(); }

signals:
    /// The memo was left, after its pending text was written.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showField();
    void writeField();

    TFieldDataLink link_;
    bool showing_ = false;
};

} // namespace dbctrls
