#include "DBGrid.h"

#include "DBGridDelegate.h"
#include "RecordActions.h"
#include "core/Errors.h"
#include "core/Guard.h"
#include "engine/Table.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <exception>

namespace dbctrls {

TDBGrid::TDBGrid(QWidget* parent)
    : QTableView(parent), model_(new TDBGridModel(this)), delegate_(new TDBGridDelegate(this))
{
    setModel(model_);
    setItemDelegate(delegate_);
    model_->onUpdateData = [this] { commitEditor(); };
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    // Tab walking the cells would trap the keyboard in the grid, moving tapes on the way.
    setTabKeyNavigation(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setFixedWidth(14);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    connect(model_, &TDBGridModel::currentRowMoved, this, [this] { core::guarded([this] { followTable(); }); });
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { core::guarded([this] { saveWidths(); }); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { core::guarded([this] { applyWidths(); }); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { followGrid(current); });
}

void TDBGrid::setDataSource(engine::DataSource* source)
{
    savedWidths_.clear();
    model_->setDataSource(source);
}

void TDBGrid::setColumns(const std::vector<TDBGridColumn>& columns)
{
    savedWidths_.clear();
    model_->setColumns(columns);
}

void TDBGrid::setTitleBold(bool bold)
{
    // Only the weight is set: size and family keep following the grid's font.
    QFont font;
    font.setBold(bold);
    horizontalHeader()->setFont(font);
}

void TDBGrid::setReadOnly(bool readOnly)
{
    model_->setReadOnly(readOnly);
}

int TDBGrid::defaultWidth(int column) const
{
    const QString title = model_->headerData(column, Qt::Horizontal).toString();
    return qMax(64, horizontalHeader()->fontMetrics().horizontalAdvance(title) + 12);
}

void TDBGrid::saveWidths()
{
    // A new view keeps the widths the user dragged, as long as the columns stay.
    savedWidths_.clear();
    for (int column = 0; column < model_->columnCount(); ++column)
        savedWidths_.push_back(columnWidth(column));
}

void TDBGrid::applyWidths()
{
    const auto& columns = model_->columns();
    const bool keep = savedWidths_.size() == columns.size();
    for (int column = 0; column < int(columns.size()); ++column) {
        const int designed = columns[size_t(column)].width;
        const int width = keep ? savedWidths_[size_t(column)] : designed > 0 ? designed : defaultWidth(column);
        setColumnWidth(column, width);
    }
}

void TDBGrid::followTable()
{
    if (following_)
        return;
    QScopedValueRollback<bool> busy(following_, true);
    const int row = model_->currentRow();
    const engine::Table* table = model_->table();
    const bool inserting = table && table->State() == engine::DataSetState::Insert;
    const bool insertBegan = inserting && !inserting_;
    inserting_ = inserting;
    if (row < 0 || model_->columnCount() == 0) {
        selectionModel()->clearCurrentIndex();
        return;
    }
    // A view read again (a post on the way to another row) forgets the current cell.
    int column = currentIndex().isValid() ? currentIndex().column() : wantedColumn_;
    if (insertBegan)
        column = insertColumn_;
    column = qBound(0, column, model_->columnCount() - 1);
    wantedColumn_ = column;
    const QModelIndex target = model_->index(row, column);
    if (focusLeft_) {
        // No current cell while the keyboard is elsewhere (see focusOutEvent): the record shows
        // by its highlight, and becomes the current cell when the focus comes back.
        selectionModel()->select(target, QItemSelectionModel::ClearAndSelect);
        scrollTo(target);
        return;
    }
    if (target == currentIndex()) {
        syncSelection(); // a field changed: leave the scrolling to the user
        return;
    }
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    scrollTo(target);
}

void TDBGrid::focusInEvent(QFocusEvent* event)
{
    if (focusLeft_) {
        focusLeft_ = false;
        core::guarded([this] { followTable(); });
    }
    QTableView::focusInEvent(event);
}

void TDBGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    // A screen reader takes the current cell for the focused control, also once the keyboard
    // has left the grid (its own cell editor and popups aside).
    const QWidget* focus = QApplication::focusWidget();
    const bool inside = focus && (focus == this || isAncestorOf(focus));
    if (inside || event->reason() == Qt::PopupFocusReason || !currentIndex().isValid())
        return;
    const QModelIndex current = currentIndex();
    focusLeft_ = true;
    selectionModel()->clearCurrentIndex();
    selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
}

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // QTableView tells a screen reader the new cell has the focus even while another control
    // has it (a search edit moving the table), so the reader leaves the edit being typed in.
    if (hasFocus())
        QTableView::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current, previous);
}

void TDBGrid::syncSelection()
{
    // A move refused while Qt was selecting the new cell leaves that cell highlighted.
    const QModelIndex current = currentIndex();
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (current.isValid() && (selected.size() != 1 || selected.first() != current))
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
}

void TDBGrid::followGrid(const QModelIndex& current)
{
    if (following_ || model_->reshaping() || !current.isValid())
        return;
    engine::Table* table = model_->table();
    if (!table || current.row() == table->CurrentRow())
        return;
    wantedColumn_ = current.column();
    std::exception_ptr refused;
    {
        QScopedValueRollback<bool> busy(following_, true);
        try {
            table->MoveToRow(current.row());
        } catch (...) {
            refused = std::current_exception();
        }
    }
    moveRefused_ = refused != nullptr;
    // Back on the table's record first, then the message.
    core::guarded([this] { followTable(); });
    if (refused)
        core::guarded([refused] { std::rethrow_exception(refused); });
}

bool TDBGrid::beginCellEdit(const QModelIndex& index)
{
    engine::Table* table = model_->table();
    if (!table)
        return false;
    if (index.row() != table->CurrentRow()) {
        // Moving may re-read the view, which would leave the editor on a stale cell: move
        // only, and let the next key or click open the editor.
        followGrid(index);
        return false;
    }
    const bool started = core::guarded([&] { model_->beginEdit(index.row()); });
    core::guarded([this] { followTable(); });
    return started;
}

void TDBGrid::commitEditor()
{
    QWidget* editor = delegate_->openEditor();
    const engine::Table* table = model_->table();
    if (!cellEditorOpen() || !editor || !table || currentIndex().row() != table->CurrentRow())
        return;
    commitData(editor);
    if (model_->lastWriteFailed())
        throw core::EAbort();
}

bool TDBGrid::handleKey(QKeyEvent* event)
{
    engine::Table* table = model_->table();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!table || state() == QAbstractItemView::EditingState)
        return false;
    if (event->key() == Qt::Key_Insert && modifiers == Qt::NoModifier && !isReadOnly()) {
        table->Insert();
        return true;
    }
    if (event->key() == Qt::Key_Delete && (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier)
        && !isReadOnly()) {
        if (table->RowCount() > 0)
            confirmAndDelete(*table);
        return true;
    }
    if (event->key() == Qt::Key_Escape && table->Editing()) {
        table->Cancel();
        return true;
    }
    return false;
}

void TDBGrid::keyPressEvent(QKeyEvent* event)
{
    core::guarded([&] {
        if (handleKey(event))
            event->accept();
        else
            QTableView::keyPressEvent(event);
        syncSelection();
    });
}

void TDBGrid::mousePressEvent(QMouseEvent* event)
{
    core::guarded([&] {
        pressedOnCell_ = event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
        moveRefused_ = false;
        QTableView::mousePressEvent(event);
        // A move that read the view again leaves Qt's selection on the row clicked, which may
        // now hold another record.
        syncSelection();
    });
}

void TDBGrid::mouseReleaseEvent(QMouseEvent* event)
{
    core::guarded([&] {
        QTableView::mouseReleaseEvent(event);
        const QModelIndex released = indexAt(event->position().toPoint());
        const bool click = pressedOnCell_ && !moveRefused_ && event->button() == Qt::LeftButton && released.isValid();
        pressedOnCell_ = false;
        if (click)
            emit cellClicked(released.column());
    });
}

QModelIndex TDBGrid::editableNeighbour(const QModelIndex& index, int step) const
{
    for (int column = index.column() + step; column >= 0 && column < model_->columnCount(); column += step) {
        const QModelIndex cell = model_->index(index.row(), column);
        if (!isColumnHidden(column) && (model_->flags(cell) & Qt::ItemIsEditable))
            return cell;
    }
    return QModelIndex();
}

void TDBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Tab in a cell editor (its text already written) walks the row's cells; Qt's own walk
    // would wrap to the next row and move the table on the way.
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool walking = next || hint == QAbstractItemDelegate::EditPreviousItem;
    const QModelIndex cell = currentIndex();
    const bool enter = delegate_->takeEnter() && hint == QAbstractItemDelegate::SubmitModelCache;
    QTableView::closeEditor(editor, walking ? QAbstractItemDelegate::NoHint : hint);
    if (enter && !model_->lastWriteFailed()) {
        // Enter ends the record's typing as the navigator's check does.
        core::guarded([this] {
            if (engine::Table* table = model_->table(); table && table->Editing())
                table->Post();
        });
        return;
    }
    if (!walking)
        return;
    core::guarded([&] {
        if (model_->lastWriteFailed())
            return; // the refused text's message is shown; stay on its cell
        const QModelIndex neighbour = cell.isValid() ? editableNeighbour(cell, next ? 1 : -1) : QModelIndex();
        if (!neighbour.isValid()) {
            QWidget::focusNextPrevChild(next);
            return;
        }
        selectionModel()->setCurrentIndex(neighbour, QItemSelectionModel::ClearAndSelect);
        edit(neighbour);
    });
}

void TDBGrid::changeEvent(QEvent* event)
{
    core::guarded([&] {
        QTableView::changeEvent(event);
        if (event->type() == QEvent::FontChange)
            verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    });
}

} // namespace dbctrls
