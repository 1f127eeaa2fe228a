#include "DBGridDelegate.h"

#include "DBGrid.h"

#include <QLineEdit>

namespace dbctrls {

TDBGridDelegate::TDBGridDelegate(TDBGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void TDBGridDelegate::limitLength(QWidget* editor, const QModelIndex& index) const
{
    const auto& columns = grid_->gridModel()->columns();
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (!edit || index.column() < 0 || size_t(index.column()) >= columns.size())
        return;
    if (const int limit = columns[size_t(index.column())].maxLength; limit > 0)
        edit->setMaxLength(qMax(limit, int(index.data(Qt::EditRole).toString().size())));
}

QWidget* TDBGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    if (!grid_->beginCellEdit(index))
        return nullptr;
    editor_ = QStyledItemDelegate::createEditor(parent, option, index);
    limitLength(editor_, index);
    return editor_;
}

} // namespace dbctrls
