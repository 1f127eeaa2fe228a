#pragma once
// Connects bound controls to a table. Controls register a DataLink and are told about
// record moves, field changes and state changes, and asked to write pending edits before
// every post.
#include <QObject>
#include <vector>

namespace engine {

class Table;
class Field;
class DataSource;

class DataLink {
public:
    /// Controls bound to one field are told before grids; within each kind, the link
    /// bound last is told first.
    enum class Kind { Field, Grid };

    virtual ~DataLink();
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return source_; }
    Table* dataSet() const;
    virtual Kind linkKind() const { return Kind::Field; }

    /// Table opened or closed.
    virtual void activeChanged() {}
    /// Everything changed: view re-read (order, filter, master move, post, delete), or
    /// the last EnableControls.
    virtual void dataSetChanged() {}
    /// The current record moved within the same view.
    virtual void dataSetScrolled() {}
    /// A field of the current record changed; nullptr means every field.
    virtual void recordChanged(Field* field) { (void)field; }
    /// State changed between browse and edit/insert.
    virtual void editingChanged() {}
    /// Write pending edits into the fields; runs before every post.
    virtual void updateData() {}

private:
    DataSource* source_ = nullptr;
};

class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(Table* table = nullptr, QObject* parent = nullptr);
    ~DataSource() override;

    Table* DataSet() const { return table_; }
    void SetDataSet(Table* table);

    void addLink(DataLink* link);
    void removeLink(DataLink* link);

    // Sent by the table, each to the links in notification order.
    void notifyActiveChanged();
    void notifyDataSetChanged();
    void notifyScrolled();
    void notifyRecordChanged(Field* field);
    void notifyEditingChanged();
    void notifyUpdateData();

    /// Detail tables follow this source's table (cast link).
    void addDetail(Table* detail);
    void removeDetail(Table* detail);

private:
    friend class Table;
    std::vector<DataLink*> orderedLinks() const;
    template <typename Call>
    void forEachLink(Call call);
    void refreshDetails();
    Table* table_ = nullptr;
    std::vector<DataLink*> links_;
    std::vector<Table*> details_;
};

} // namespace engine
