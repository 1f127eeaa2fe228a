#include "DBRadioGroup.h"

#include "RadioAccessible.h"
#include "RadioKeys.h"
#include "core/Guard.h"
#include "engine/Field.h"

#include <QEvent>
#include <QRadioButton>

namespace dbctrls {

TDBRadioGroup::TDBRadioGroup(QWidget* parent) : QGroupBox(parent)
{
    link_.onDataChange = [this] { showField(); };
}

void TDBRadioGroup::setDataSource(engine::DataSource* source)
{
    link_.setDataSource(source);
    link_.reset();
}

void TDBRadioGroup::setDataField(const QString& name)
{
    link_.setFieldName(name);
}

void TDBRadioGroup::setItems(const QStringList& items)
{
    items_ = items;
    rebuildButtons();
}

void TDBRadioGroup::setValues(const QStringList& values)
{
    values_ = values;
    link_.reset();
}

int TDBRadioGroup::itemIndex() const
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->isChecked())
            return int(i);
    return -1;
}

QString TDBRadioGroup::buttonValue(int index) const
{
    if (index >= 0 && index < values_.size() && !values_.at(index).isEmpty())
        return values_.at(index);
    return items_.value(index);
}

QRadioButton* TDBRadioGroup::button(int index) const
{
    return index >= 0 && size_t(index) < buttons_.size() ? buttons_[size_t(index)] : nullptr;
}

void TDBRadioGroup::rebuildButtons()
{
    while (buttons_.size() > size_t(items_.size())) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (buttons_.size() < size_t(items_.size())) {
        auto* button = new QRadioButton(this);
        // Checking is ours: the group keeps one or no button checked.
        button->setAutoExclusive(false);
        TRadioAccessible::markAsRadio(button); // still a radio button to a screen reader
        const int index = int(buttons_.size());
        connect(button, &QRadioButton::clicked, this, [this, index] { buttonClicked(index); });
        button->show();
        buttons_.push_back(button);
    }
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setText(items_.at(int(i)));
    // Qt checks by arrow keys only between exclusive buttons, which ours are not.
    const QList<QAbstractButton*> buttons(buttons_.begin(), buttons_.end());
    if (!keys_)
        keys_ = TRadioKeys::attach(this, buttons);
    else
        keys_->setButtons(buttons);
    arrangeButtons();
    link_.reset();
}

void TDBRadioGroup::arrangeButtons()
{
    // One column, the height shared evenly below the caption line, as the classic radio
    // group lays out its items.
    const int count = int(buttons_.size());
    if (count == 0)
        return;
    const int textHeight = fontMetrics().height();
    const int room = height() - textHeight - 5;
    const int buttonHeight = qMax(1, room / count);
    const int topMargin = textHeight + 1 + (room % count) / 2;
    for (int i = 0; i < count; ++i)
        buttons_[size_t(i)]->setGeometry(4, topMargin + i * buttonHeight, qMax(1, width() - 10), buttonHeight);
}

void TDBRadioGroup::showField()
{
    engine::Field* field = link_.field();
    const QString value = field ? field->AsString() : QString();
    int found = -1;
    if (field)
        for (int i = 0; i < items_.size() && found < 0; ++i)
            if (buttonValue(i) == value)
                found = i;
    check(found);
}

void TDBRadioGroup::check(int index)
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setChecked(int(i) == index);
}

void TDBRadioGroup::buttonClicked(int index)
{
    const bool written = core::guarded([this, index] {
        engine::Field* field = link_.field();
        if (field && field->AsString() == buttonValue(index) && !field->IsNull())
            return;
        if (!link_.edit())
            return;
        link_.field()->SetAsString(buttonValue(index));
        emit itemClicked(index);
    });
    // Whatever happened, the buttons show what the field holds.
    if (!written || itemIndex() != index)
        link_.reset();
}

void TDBRadioGroup::resizeEvent(QResizeEvent* event)
{
    core::guarded([&] {
        QGroupBox::resizeEvent(event);
        arrangeButtons();
    });
}

void TDBRadioGroup::changeEvent(QEvent* event)
{
    core::guarded([&] {
        QGroupBox::changeEvent(event);
        if (event->type() == QEvent::FontChange)
            arrangeButtons();
    });
}

} // namespace dbctrls
