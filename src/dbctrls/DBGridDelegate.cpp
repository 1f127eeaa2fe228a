#include "DBGridDelegate.h"

#include "DBGrid.h"

#include <QKeyEvent>

namespace dbctrls {

TDBGridDelegate::TDBGridDelegate(TDBGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* TDBGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    if (!grid_->beginCellEdit(index))
        return nullptr;
    editor_ = QStyledItemDelegate::createEditor(parent, option, index);
    // A screen reader names the cell editor by its column.
    if (editor_)
        editor_->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    return editor_;
}

bool TDBGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        enter_ = key == Qt::Key_Return || key == Qt::Key_Enter;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace dbctrls
