#pragma once
// The rows of a data grid: the table's view, one row per record (the record being inserted
// counts as a row), one column per designed column. Cells are read on demand through the
// table's grid reading, which never moves the cursor, so a view of 100,000 records costs only
// the rows on the screen.
//
// Follows the table through its data link: a new view resets the model, a record inserted or
// dropped at the cursor becomes a row insertion or removal, a changed field a cell change.
// No method throws: a failing read returns an empty value and is reported once per view.
#include "NotifyLink.h"

#include "ShownText.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <functional>
#include <vector>

namespace engine {
class DataSource;
class Table;
enum class DataSetState;
}

namespace dbctrls {

struct TDBGridColumn {
    QString fieldName;
    QString title;   ///< empty: the field's display label
    int width = -1;  ///< pixels; -1: the grid's default width
    /// Applied to a typed cell text before it is written (e.g. "0130" -> "01:30").
    std::function<QString(const QString&)> normalize;
};

class TDBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDBGridModel(QObject* parent = nullptr);
    ~TDBGridModel() override;

    void setDataSource(engine::DataSource* source);
    engine::DataSource* dataSource() const { return link_.dataSource(); }
    /// The table while it is open.
    engine::Table* table() const { return link_.activeTable(); }

    /// The designed columns; with none, one column per field of the table in field order.
    void setColumns(const std::vector<TDBGridColumn>& columns);
    /// The columns shown.
    const std::vector<TDBGridColumn>& columns() const { return columns_; }
    /// Column titles in column order (the shown ones, display labels included).
    QStringList titles() const;
    /// Sets titles in column order; titles beyond the columns are ignored, columns beyond
    /// the titles keep theirs.
    void setTitles(const QStringList& titles);

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    /// Row of the table's current record; -1 when there is none.
    int currentRow() const;
    /// Makes the row's record current (posting a pending edit first) and puts it into edit
    /// state. Engine errors pass.
    void beginEdit(int row);

    /// Characters a cell shows (DisplayRole) before "…"; the edit role always holds the whole value.
    static constexpr int kMaxShownLength = dbctrls::kMaxShownLength;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    /// True while rows are being inserted, removed or reset: the view's current cell moves
    /// with them and must not move the table.
    bool reshaping() const { return reshaping_ > 0; }

    /// Called before every post of the table: the view writes an open cell editor's text.
    std::function<void()> onUpdateData;
    /// True when the last setData was refused (its error has been shown).
    bool lastWriteFailed() const { return lastWriteFailed_; }

    /// Cells read from the table since the model was made (tests: reading stays on demand).
    qint64 cellsRead() const { return cellsRead_; }

signals:
    /// The table's current record moved or the rows changed: the view follows currentRow().
    void currentRowMoved();

private:
    void sync(bool viewChanged);
    bool insertedAtCursor(int count, engine::DataSetState state);
    bool droppedInsert(int count, engine::DataSetState state);
    void resetView();
    void buildColumns();
    void recordChanged(engine::Field* field);
    void updateIndicator();
    int tableRow(int row) const;
    int fieldIndex(int column) const;
    QString cellText(int row, int column) const;
    QIcon indicator() const;
    void writeCell(const QModelIndex& index, const QString& text);

    TNotifyLink link_;
    std::vector<TDBGridColumn> designed_;
    std::vector<TDBGridColumn> columns_;
    std::vector<int> fieldIndexes_;
    bool readOnly_ = false;
    int rows_ = 0;
    engine::DataSetState state_{}; // as of the last sync
    int insertRow_ = -1;     // row of the record in insert state
    int pendingInsert_ = -1; // while a row insertion is announced
    int pendingRemove_ = -1; // while a row removal is announced
    int indicatorRow_ = -1;
    int reshaping_ = 0;
    bool lastWriteFailed_ = false;
    mutable qint64 cellsRead_ = 0;
    mutable bool errorShown_ = false;
    mutable QIcon indicators_[3];
};

} // namespace dbctrls
