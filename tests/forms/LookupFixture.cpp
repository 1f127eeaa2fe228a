#include "LookupFixture.h"

#include "TestLanguages.h"

#include "dbctrls/DBGrid.h"
#include "engine/Field.h"
#include "engine/Table.h"
#include "forms/AppContext.h"
#include "forms/LookupWindows.h"

#include <QAction>
#include <QApplication>

namespace lookuptest {

void LookupTest::SetUp()
{
    CatalogueTest::SetUp();
    languages = testing_support::makeLanguageSource(testing_support::builtProgramDir());
    testing_support::useLanguageSource(languages.get(), &labelOverride);
}

void LookupTest::TearDown()
{
    expectNoErrorsLeft();
    window.reset();
    forms::appContext().languageSource = nullptr;
    forms::appContext().languageLabel = nullptr;
    languages.reset();
    CatalogueTest::TearDown();
}

void LookupTest::setLanguage(int index)
{
    languages->SetActiveLanguage(index);
}

forms::TLookupForm& LookupTest::create(forms::LookupMember member, const QSize& screen)
{
    window = forms::createLookupForm(member, nullptr, screen);
    return *window;
}

forms::TLookupForm& LookupTest::open(forms::LookupMember member, const QSize& screen)
{
    create(member, screen);
    window->show();
    QApplication::processEvents();
    return *window;
}

engine::Table& LookupTest::tableOf(forms::LookupMember member) const
{
    return *(dm.get()->*forms::lookupMember(member).table);
}

QStringList LookupTest::entries(forms::LookupMember member) const
{
    engine::Table& table = tableOf(member);
    QStringList values;
    for (int row = 0; row < table.RowCount(); ++row)
        values << table.DisplayText(row, 0);
    return values;
}

void LookupTest::addEntries(forms::LookupMember member, const QStringList& values)
{
    engine::Table& table = tableOf(member);
    for (const QString& value : values) {
        table.Insert();
        table.FieldByName(QString::fromLatin1(forms::lookupMember(member).listField)).SetAsString(value);
        table.Post();
    }
    table.First();
}

QStringList LookupTest::gridTexts() const
{
    QStringList texts;
    const QAbstractItemModel* model = window->DBGrid1->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, 0).data().toString();
    return texts;
}

void LookupTest::trigger(QAction* action)
{
    action->trigger();
    QApplication::processEvents();
}

} // namespace lookuptest
