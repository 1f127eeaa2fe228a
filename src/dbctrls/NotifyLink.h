#pragma once
// A data link that hands the table's notifications to its owner through callbacks. Used by
// the grid and list models and the navigator, which follow a whole table rather than a field.
#include "engine/DataSource.h"

#include <functional>

namespace engine {
class Field;
class Table;
}

namespace dbctrls {

class TNotifyLink : public engine::DataLink {
public:
    explicit TNotifyLink(Kind kind = Kind::Grid) : kind_(kind) {}

    /// The bound table when it is open, else nullptr.
    engine::Table* activeTable() const;

    // Each runs guarded: a failing display refresh is reported, never thrown into the engine.
    std::function<void()> onActiveChanged;
    std::function<void()> onDataSetChanged;
    std::function<void()> onScrolled;
    std::function<void(engine::Field*)> onRecordChanged;
    std::function<void()> onEditingChanged;
    /// Runs unguarded: an error must stop the post that asked for it.
    std::function<void()> onUpdateData;

    Kind linkKind() const override { return kind_; }
    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled() override;
    void recordChanged(engine::Field* field) override;
    void editingChanged() override;
    void updateData() override;

private:
    Kind kind_;
};

} // namespace dbctrls
