#pragma once
// A data grid: a table view over TDBGridModel. The grid's current row follows the table's
// current record and the table follows the grid: moving the current cell to another row
// moves the table there, which posts a pending edit (or drops it when unchanged). When that
// post is refused, the grid's current row goes back to the table's record and the error is
// shown.
//
// Cells are edited in place; opening an editor starts the edit state. Keys: Insert inserts a
// record, Delete (also with Ctrl) asks "Slet denne post?" and deletes on OK, Escape cancels
// the table's edit; Enter in a cell editor writes its text and posts the record (as the
// navigator's check does). The grid is one tab stop: without an open cell editor, Tab and Shift+Tab
// leave it for the window's next or previous control; in a cell editor they write the text
// and open the editor of the row's next or previous editable cell, as in a spreadsheet, and
// leave the grid past the row's last (or before its first) cell. Arrows, Home and End move
// inside it. Text typed into a cell editor goes to that cell's record whatever is clicked
// meanwhile; a click on another cell keeps its column when the move re-reads the view.
// Once the keyboard has left the grid it has no current cell (a screen reader would take it
// for the focused control): the table's record is the highlighted cell until the focus is back.
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
    /// The column a new record's current cell starts in (default 0), e.g. past a column the
    /// record rules fill in.
    void setInsertColumn(int column) { insertColumn_ = column; }
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
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
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
    /// The editable cell of index's row step columns on (+1 or -1); invalid past the row's end.
    QModelIndex editableNeighbour(const QModelIndex& index, int step) const;

    TDBGridModel* model_;
    TDBGridDelegate* delegate_;
    bool following_ = false;
    bool moveRefused_ = false;
    bool pressedOnCell_ = false;
    bool inserting_ = false;  ///< the table was in insert state at the last followTable
    bool focusLeft_ = false;  ///< the keyboard left the grid: no current cell until it is back
    int insertColumn_ = 0;
    int wantedColumn_ = 0;    ///< the column of the cell last moved to
    std::vector<int> savedWidths_;
};

} // namespace dbctrls
