#pragma once
// A one-line edit bound to a field. Typing starts the table's edit state; the typed text is
// a pending edit that reaches the field when the edit is left and before every post. Escape
// drops a pending edit. A text the field refuses when the edit is left keeps the focus.
#include "FieldDataLink.h"

#include <QLineEdit>
#include <functional>

namespace engine {
class DataSource;
}

namespace dbctrls {

class TDBEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
public:
    explicit TDBEdit(QWidget* parent = nullptr);

    void setDataSource(engine::DataSource* source);
    engine::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataField(const QString& name);
    const QString& dataField() const { return link_.fieldName(); }

    /// True while the text differs from the field by a user's edit not yet written.
    bool isModified() const { return link_.isModified(); }
    /// Writes a pending edit into the field now; engine errors pass.
    void updateRecord() { link_.updateRecord(); }

    /// Applied to the pending text before it is written (e.g. "0130" -> "01:30"); the edit
    /// then shows the written value.
    void setInputNormalizer(std::function<QString(const QString&)> normalizer);

signals:
    /// The edit was left (focus moved to another control of the window), after its pending
    /// text was written into the field.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    TFieldDataLink& link() { return link_; }

private:
    void showField();
    void writeField();

    TFieldDataLink link_;
    std::function<QString(const QString&)> normalizer_;
};

/// True when leaving a control for this reason means the user moved on inside the window
/// (not a popup, a menu or another window taking the focus for a while).
bool isLeaving(Qt::FocusReason reason);

} // namespace dbctrls
