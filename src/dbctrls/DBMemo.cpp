#include "DBMemo.h"

#include "DBEdit.h"
#include "core/Guard.h"
#include "engine/Field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace dbctrls {

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    link_.onDataChange = [this] { showField(); };
    link_.onUpdateData = [this] { writeField(); };
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!showing_)
            link_.userEdited();
    });
}

void TDBMemo::setDataSource(engine::DataSource* source)
{
    link_.setDataSource(source);
    link_.reset();
}

void TDBMemo::setDataField(const QString& name)
{
    link_.setFieldName(name);
}

void TDBMemo::showField()
{
    engine::Field* field = link_.field();
    const QString value = field ? field->AsString() : QString();
    if (value == toPlainText())
        return;
    QScopedValueRollback<bool> quiet(showing_, true);
    setPlainText(value);
}

void TDBMemo::writeField()
{
    engine::Field* field = link_.field();
    const QString value = toPlainText();
    if (value != field->AsString())
        field->SetAsString(value);
}

void TDBMemo::keyPressEvent(QKeyEvent* event)
{
    core::guarded([&] {
        if (event->key() == Qt::Key_Escape && link_.isModified()) {
            link_.reset();
            event->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    });
}

void TDBMemo::focusOutEvent(QFocusEvent* event)
{
    core::guarded([&] {
        QPlainTextEdit::focusOutEvent(event);
        if (!isLeaving(event->reason()))
            return;
        link_.updateRecord();
        emit exited();
    });
}

} // namespace dbctrls
