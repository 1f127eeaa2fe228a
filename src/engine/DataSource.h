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

    /// Leaves its source.
    virtual ~DataLink();
    /// Leaves the old source and joins this one (nullptr: none).
    void setDataSource(DataSource* source);
    /// The source joined, or nullptr.
    DataSource* dataSource() const { return source_; }
    /// The source's table, or nullptr without source or table.
    Table* dataSet() const;
    /// Which group of links it is told with.
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
    /// A source over table (which it does not own).
    explicit DataSource(Table* table = nullptr, QObject* parent = nullptr);
    /// Leaves the table; its links are left without source and its details without master.
    ~DataSource() override;

    /// The table, or nullptr.
    Table* DataSet() const { return table_; }
    /// Moves to another table and sends notifyActiveChanged.
    void SetDataSet(Table* table);

    /// Called by DataLink::setDataSource: the link is told from now on.
    void addLink(DataLink* link);
    /// The link is no longer told.
    void removeLink(DataLink* link);

    // Sent by the table, each to the links in notification order; each calls the link's
    // method of the same meaning (activeChanged, dataSetChanged, ...).
    /// Tells the details to re-read their views, then the links the table opened or closed.
    void notifyActiveChanged();
    /// Tells the details to re-read their views, then the links that everything changed.
    void notifyDataSetChanged();
    /// Tells the details to re-read their views, then the links the current record moved.
    void notifyScrolled();
    /// Tells the details a master field changed (nullptr: all), then the links.
    void notifyRecordChanged(Field* field);
    /// Tells the links the state changed between browse and edit or insert.
    void notifyEditingChanged();
    /// Asks the links to write their pending edits into the fields.
    void notifyUpdateData();

    /// Detail tables follow this source's table (cast link).
    void addDetail(Table* detail);
    /// The table no longer follows.
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
