#include "DBEdit.h"

#include "core/Guard.h"
#include "engine/Field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

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
    const bool leaving = isLeaving(event->reason());
    const bool written = core::guarded([&] {
        QLineEdit::focusOutEvent(event);
        if (!leaving)
            return;
        link_.updateRecord();
        emit exited();
    });
    if (written)
        return;
    // A refused text stays pending and marked, and the focus comes back to it, so the next
    // keys correct it instead of landing in the next field. Queued: the focus is still moving.
    selectAll();
    if (leaving)
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && isEnabled() && link_.isModified())
                setFocus(Qt::OtherFocusReason);
        });
}

} // namespace dbctrls
