#include "DBEdit.h"

#include "core/Guard.h"
#include "engine/Field.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace dbctrls {

bool isLeaving(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
        && reason != Qt::MenuBarFocusReason;
}

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent)
{
    link_.onDataChange = [this] { showField(); };
    link_.onUpdateData = [this] { writeField(); };
    connect(this, &QLineEdit::textEdited, this, [this] { link_.userEdited(); });
}

void TDBEdit::setDataSource(engine::DataSource* source)
{
    link_.setDataSource(source);
    link_.reset();
}

void TDBEdit::setDataField(const QString& name)
{
    link_.setFieldName(name);
}

void TDBEdit::setInputNormalizer(std::function<QString(const QString&)> normalizer)
{
    normalizer_ = std::move(normalizer);
}

void TDBEdit::showField()
{
    engine::Field* field = link_.field();
    const QString value = field ? field->AsString() : QString();
    if (value != text())
        setText(value);
}

void TDBEdit::writeField()
{
    engine::Field* field = link_.field();
    const QString value = normalizer_ ? normalizer_(text()) : text();
    if (value != field->AsString())
        field->SetAsString(value);
    else if (value != text())
        setText(value);
}

void TDBEdit::keyPressEvent(QKeyEvent* event)
{
    core::guarded([&] {
        if (event->key() == Qt::Key_Escape && link_.isModified()) {
            link_.reset();
            selectAll();
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    });
}

void TDBEdit::focusOutEvent(QFocusEvent* event)
{
    const bool written = core::guarded([&] {
        QLineEdit::focusOutEvent(event);
        if (!isLeaving(event->reason()))
            return;
        link_.updateRecord();
        emit exited();
    });
    // A refused text stays pending and marked, so the user sees what to correct.
    if (!written)
        selectAll();
}

} // namespace dbctrls
