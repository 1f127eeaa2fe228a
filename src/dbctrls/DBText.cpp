#include "DBText.h"

#include "engine/Field.h"

namespace dbctrls {

TDBText::TDBText(QWidget* parent) : QLabel(parent)
{
    setProperty("spkTextLabel", true);
    // Field values are shown as they are, never as rich text.
    setTextFormat(Qt::PlainText);
    link_.onDataChange = [this] { showField(); };
}

void TDBText::setDataSource(engine::DataSource* source)
{
    link_.setDataSource(source);
    link_.reset();
}

void TDBText::setDataField(const QString& name)
{
    link_.setFieldName(name);
}

void TDBText::showField()
{
    engine::Field* field = link_.field();
    setText(field ? field->AsString() : QString());
}

} // namespace dbctrls
