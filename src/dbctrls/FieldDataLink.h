#pragma once
// The link of a control bound to one field: tells the control when to show the field's value
// and when to write its pending edit, and starts the edit state for it.
//
// A control keeps what the user typed as a pending edit (modified()) and writes it into the
// field on updateData, which the engine sends before every post, and when the control is left
// (updateRecord()). Any news about the control's field or the whole record drops a pending
// edit and shows the field again, as a move or a cancel must.
#include "engine/DataSource.h"

#include <QString>
#include <functional>

namespace engine {
class Field;
class Table;
}

namespace dbctrls {

class TFieldDataLink : public engine::DataLink {
public:
    TFieldDataLink() = default;

    void setFieldName(const QString& name);
    const QString& fieldName() const { return fieldName_; }
    /// The bound field while the table is open; nullptr otherwise.
    engine::Field* field() const;

    /// Puts the table into edit state (an empty one inserts). False when no field is bound or
    /// the table is closed; engine errors pass. The control's own display is not refreshed
    /// meanwhile, so the text the user is typing stays.
    bool edit();
    bool editing() const;
    /// Marks the control's shown value as a pending edit.
    void modified() { modified_ = true; }
    bool isModified() const { return modified_; }
    /// The user changed the control's value: starts the edit state and marks the value
    /// pending. When the table cannot edit, the error is reported and the field shown again.
    void userEdited();
    /// Drops a pending edit and shows the field's value.
    void reset();
    /// Writes a pending edit now; on an error it stays pending and the error passes.
    void updateRecord();

    /// Show the field's current value (nullptr field: show empty).
    std::function<void()> onDataChange;
    /// Write the control's pending value into field().
    std::function<void()> onUpdateData;
    /// The table switched between browse and edit/insert, or opened/closed.
    std::function<void()> onStateChange;

    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled() override;
    void recordChanged(engine::Field* field) override;
    void editingChanged() override;
    void updateData() override;

private:
    QString fieldName_;
    bool modified_ = false;
    bool starting_ = false;
};

} // namespace dbctrls
