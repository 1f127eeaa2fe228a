#include "DBMemo.h"

#include "DBEdit.h"
#include "core/Guard.h"
#include "engine/Field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace dbctrls {

TDBMemo::TDBMemo(QWidget* parent)
    : QPlainTextEdit(parent),
      note_(QStringLiteral("[Beskrivelsen er for lang til at blive vist eller rettet her (%1 tegn). "
                           "Kun begyndelsen vises; den gemte tekst forbliver uændret.]"))
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

namespace {

// Qt lays out a line in time that grows with the square of its length (a minute for a
// megabyte without a break); many short lines cost little.
bool tooLongToEdit(const QString& value)
{
    if (value.size() > TDBMemo::kMaxEditableLength)
        return true;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == QLatin1Char('\n'))
            lineStart = i + 1;
        else if (i - lineStart >= TDBMemo::kMaxEditableLine)
            return true;
    }
    return false;
}

} // namespace

void TDBMemo::showField()
{
    engine::Field* field = link_.field();
    const QString value = field ? field->AsString() : QString();
    if (tooLongToEdit(value)) {
        showCut(value);
        return;
    }
    QScopedValueRollback<bool> quiet(showing_, true);
    if (shownCut_) {
        shownCut_ = false;
        setReadOnly(readOnlyBeforeCut_);
    } else if (value == toPlainText()) {
        return;
    }
    setPlainText(value);
}

// Only the beginning is laid out, and nothing can be typed into it.
void TDBMemo::showCut(const QString& value)
{
    QScopedValueRollback<bool> quiet(showing_, true);
    if (!shownCut_) {
        readOnlyBeforeCut_ = isReadOnly();
        shownCut_ = true;
    }
    setReadOnly(true);
    QString shown = note_.arg(value.size());
    shown += QLatin1Char('\n');
    shown += QStringView(value).left(kShownPrefixLength);
    shown += QChar(0x2026);
    if (shown != toPlainText())
        setPlainText(shown);
}

void TDBMemo::writeField()
{
    // The cut text is not the value: the user could not edit it, so nothing is written.
    if (shownCut_)
        return;
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
