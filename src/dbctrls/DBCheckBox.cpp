#include "DBCheckBox.h"

#include "core/Guard.h"
#include "engine/Field.h"

namespace dbctrls {

namespace {
bool matchesAny(const QString& value, const QString& alternatives)
{
    const QStringList values = alternatives.split(QLatin1Char(';'));
    for (const QString& candidate : values)
        if (!candidate.isEmpty() && value.compare(candidate, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString firstOf(const QString& alternatives)
{
    return alternatives.section(QLatin1Char(';'), 0, 0);
}
} // namespace

TDBCheckBox::TDBCheckBox(QWidget* parent) : QCheckBox(parent)
{
    setTristate(true);
    link_.onDataChange = [this] { showField(); };
}

void TDBCheckBox::setDataSource(engine::DataSource* source)
{
    link_.setDataSource(source);
    link_.reset();
}

void TDBCheckBox::setDataField(const QString& name)
{
    link_.setFieldName(name);
}

void TDBCheckBox::setValueChecked(const QString& value)
{
    valueChecked_ = value;
    link_.reset();
}

void TDBCheckBox::setValueUnchecked(const QString& value)
{
    valueUnchecked_ = value;
    link_.reset();
}

Qt::CheckState TDBCheckBox::stateOf(const QString& value) const
{
    if (matchesAny(value, valueChecked_))
        return Qt::Checked;
    if (matchesAny(value, valueUnchecked_))
        return Qt::Unchecked;
    return Qt::PartiallyChecked;
}

void TDBCheckBox::showField()
{
    engine::Field* field = link_.field();
    const Qt::CheckState state = field ? stateOf(field->AsString()) : Qt::Unchecked;
    if (state == checkState())
        return;
    setCheckState(state);
    emit clickedOrChanged();
}

void TDBCheckBox::nextCheckState()
{
    core::guarded([this] {
        if (!link_.edit())
            return;
        const bool check = checkState() != Qt::Checked;
        // Writing the field shows the new state through the link, which emits the signal.
        link_.field()->SetAsString(firstOf(check ? valueChecked_ : valueUnchecked_));
    });
}

} // namespace dbctrls
