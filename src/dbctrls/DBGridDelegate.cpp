#include "DBGridDelegate.h"

#include "DBGrid.h"

namespace dbctrls {

TDBGridDelegate::TDBGridDelegate(TDBGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* TDBGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    if (!grid_->beginCellEdit(index))
        return nullptr;
    return QStyledItemDelegate::createEditor(parent, option, index);
}

} // namespace dbctrls
