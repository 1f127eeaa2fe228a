#pragma once
// A data module on a fresh temporary program folder, with its tables open.
#include "common/TestCatalogue.h"
#include "core/ScriptedDialogs.h"

#include <QStringList>

class DataFixture : public testing_support::CatalogueTest {
protected:
    QStringList column(engine::Table& table, const QString& field);
    QString text(engine::Table& table, const char* field) { return table.FieldByName(QString::fromLatin1(field)).AsString(); }
};
