#include "DBGridDelegate.h"

#include "DBGrid.h"

namespace dbctrls {

TDBGridDelegate::TDBGridDelegate(TDBGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* TDBGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    if (!grid_->beginCellEdit(index))
        return nullptr;
    editor_ = QStyledItemDelegate::createEditor(parent, option, index);
    return editor_;
}

} // namespace dbctrls
