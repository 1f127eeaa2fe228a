#pragma once
// The grid's cell editor: opening it makes the cell's record current and puts it into edit
// state first; when that is refused, no editor opens.
#include <QPointer>
#include <QStyledItemDelegate>
#include <utility>

namespace dbctrls {

class TDBGrid;

class TDBGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TDBGridDelegate(TDBGrid* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    /// The editor opened last, while it exists.
    QWidget* openEditor() const { return editor_; }
    /// True once after Enter closed the editor.
    bool takeEnter() { return std::exchange(enter_, false); }

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    TDBGrid* grid_;
    mutable QPointer<QWidget> editor_;
    bool enter_ = false;
};

} // namespace dbctrls
