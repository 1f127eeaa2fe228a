#pragma once
// A data grid: a table view over TDBGridModel. The grid's current row follows the table's
// current record and the table follows the grid: moving the current cell to another row
// moves the table there, which posts a pending edit (or drops it when unchanged). When that
// post is refused, the grid's current row goes back to the table's record and the error is
// shown.
//
// Cells are edited in place; opening an editor starts the edit state. Keys: Insert inserts a
// record, Delete (also with Ctrl) asks "Slet denne post?" and deletes on OK, Escape cancels
// the table's edit. The grid is one tab stop: Tab and Shift+Tab leave it for the window's
// next or previous control (an open cell editor is written first); arrows, Home and End move
// inside it.
#include "DBGridModel.h"

#include <QTableView>

namespace engine {
class DataSource;
}

namespace dbctrls {

class TDBGridDelegate;

class TDBGrid : public QTableView {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(QStringList Columns READ columnTitles WRITE setColumnTitles)
public:
    explicit TDBGrid(QWidget* parent = nullptr);

    void setDataSource(engine::DataSource* source);
    engine::DataSource* dataSource() const { return model_->dataSource(); }

    /// The designed columns (field, title, width); none: every field of the table.
    void setColumns(const std::vector<TDBGridColumn>& columns);
    /// Titles in column order; setting fewer changes only those columns, more are ignored.
    QStringList columnTitles() const { return model_->titles(); }
    void setColumnTitles(const QStringList& titles) { model_->setTitles(titles); }

    /// Bold column titles.
    void setTitleBold(bool bold);
    /// No in-place editing, no Insert or Delete key.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return model_->isReadOnly(); }

    TDBGridModel* gridModel() const { return model_; }
    /// True while a cell's editor is open.
    bool cellEditorOpen() const { return state() == QAbstractItemView::EditingState; }
    /// Writes the text of an open cell editor into its field (the editor stays open). Runs
    /// before every post of the table; a refused text stops the post (its error is shown).
    void commitEditor();

    /// Used by the cell editor: makes the cell's record current and starts editing it.
    /// False (error reported, grid back on the table's record) when that is refused.
    bool beginCellEdit(const QModelIndex& index);

signals:
    /// A cell was clicked with the mouse, after the table moved to its record (DBGrid1CellClick).
    void cellClicked(int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void followTable();
    void followGrid(const QModelIndex& current);
    /// Highlights exactly the current cell.
    void syncSelection();
    void saveWidths();
    void applyWidths();
    int defaultWidth(int column) const;
    bool handleKey(QKeyEvent* event);

    TDBGridModel* model_;
    TDBGridDelegate* delegate_;
    bool following_ = false;
    bool moveRefused_ = false;
    bool pressedOnCell_ = false;
    std::vector<int> savedWidths_;
};

} // namespace dbctrls
