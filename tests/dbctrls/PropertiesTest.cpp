// The translatable properties: a localizer finds them by name through the meta-object system
// and writes them as plain values; each write must show on the control.
#include "ControlsFixture.h"
#include "dbctrls/DBCheckBox.h"
#include "dbctrls/DBDateEdit.h"
#include "dbctrls/DBEdit.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBMemo.h"
#include "dbctrls/DBNavigator.h"
#include "dbctrls/DBRadioGroup.h"
#include "dbctrls/DBText.h"

#include <QMetaProperty>
#include <QRadioButton>
#include <functional>
#include <memory>

using namespace dbctrlstest;

namespace {

struct PropertyCase {
    const char* control;
    std::function<QWidget*()> make;
    QStringList textProperties;
    QStringList listProperties;
};

std::vector<PropertyCase> propertyCases()
{
    using namespace dbctrls;
    return {
        {"TDBEdit", [] { return new TDBEdit; }, {"Hint"}, {}},
        {"TDBMemo", [] { return new TDBMemo; }, {"Hint"}, {}},
        {"TDBText", [] { return new TDBText; }, {"Hint"}, {}},
        {"TDBDateEdit", [] { return new TDBDateEdit; }, {"Hint"}, {}},
        {"TDBLookupComboBox", [] { return new TDBLookupComboBox; }, {"Hint"}, {}},
        {"TDBCheckBox", [] { return new TDBCheckBox; }, {"Hint", "Caption"}, {}},
        {"TDBRadioGroup", [] { return new TDBRadioGroup; }, {"Hint", "Caption"}, {"Items", "Values"}},
        {"TDBGrid", [] { return new TDBGrid; }, {"Hint"}, {"Columns"}},
        {"TDBNavigator", [] { return new TDBNavigator; }, {"Hint"}, {"Hints"}},
    };
}

TEST(TranslatableProperties, EveryControlDeclaresItsPropertiesByTheirExactNames)
{
    for (const PropertyCase& c : propertyCases()) {
        std::unique_ptr<QWidget> control(c.make());
        const QMetaObject* meta = control->metaObject();
        EXPECT_STREQ(meta->className(), (QByteArray("dbctrls::") + c.control).constData());
        for (const QString& name : c.textProperties) {
            const int index = meta->indexOfProperty(name.toLatin1().constData());
            ASSERT_GE(index, 0) << c.control << " " << name.toStdString();
            EXPECT_EQ(meta->property(index).metaType().id(), QMetaType::QString) << c.control;
            EXPECT_TRUE(meta->property(index).isWritable());
        }
        for (const QString& name : c.listProperties) {
            const int index = meta->indexOfProperty(name.toLatin1().constData());
            ASSERT_GE(index, 0) << c.control << " " << name.toStdString();
            EXPECT_EQ(meta->property(index).metaType().id(), QMetaType::QStringList) << c.control;
        }
        // Hint is the tool tip.
        control->setProperty("Hint", QStringLiteral("Tid format = ttmm \nIndtast f.eks. 0130"));
        EXPECT_EQ(control->toolTip(), QStringLiteral("Tid format = ttmm \nIndtast f.eks. 0130")) << c.control;
    }
}

TEST(TranslatableProperties, CaptionsAndListsWrittenByNameShowOnTheControl)
{
    dbctrls::TDBCheckBox box;
    box.setProperty("Caption", QStringLiteral("Lent"));
    EXPECT_EQ(box.text(), QStringLiteral("Lent"));

    dbctrls::TDBRadioGroup group;
    group.resize(171, 66);
    group.setProperty("Caption", QStringLiteral("Optagelse"));
    EXPECT_EQ(group.title(), QStringLiteral("Optagelse"));
    group.setProperty("Items", QStringList{"Original", "Copy", "Private recording"});
    ASSERT_NE(group.button(2), nullptr);
    EXPECT_EQ(group.button(1)->text(), QStringLiteral("Copy"));
    group.setProperty("Items", QStringList{"Original", "Copy"});
    EXPECT_EQ(group.button(2), nullptr);
    EXPECT_EQ(group.property("Items").toStringList(), (QStringList{"Original", "Copy"}));
    group.setProperty("Values", QStringList{"O", "C"});
    EXPECT_EQ(group.buttonValue(1), QStringLiteral("C"));
}

} // namespace
