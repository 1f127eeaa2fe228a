#pragma once
// The grid's cell editor: opening it makes the cell's record current and puts it into edit
// state first; when that is refused, no editor opens.
#include <QStyledItemDelegate>

namespace dbctrls {

class TDBGrid;

class TDBGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TDBGridDelegate(TDBGrid* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    TDBGrid* grid_;
};

} // namespace dbctrls
