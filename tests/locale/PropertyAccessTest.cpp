// The table of translatable properties: Qt's own widgets, declared properties winning over
// the table, and the kinds.
#include "TestForm.h"
#include "locale/PropertyAccess.h"

#include <QListWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace locale;
using namespace locale_test;

namespace {

TEST(PropertyAccess, CaptionOfQtWidgets)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Vindue"));
    QPushButton button(QStringLiteral("Knap"), &window);
    QLabel label(QStringLiteral("Etiket"), &window);
    QGroupBox group(QStringLiteral("Gruppe"), &window);
    QMenu menu(QStringLiteral("Menu"), &window);
    QAction action(QStringLiteral("Handling"), &window);
    QWidget plain(&window);
    plain.setWindowTitle(QStringLiteral("not a window"));
    const std::pair<QObject*, const char*> cases[] = {
        {&window, "Vindue"}, {&button, "Knap"}, {&label, "Etiket"}, {&group, "Gruppe"}, {&menu, "Menu"},
        {&action, "Handling"}};
    for (const auto& [obj, text] : cases) {
        EXPECT_EQ(PropertyAccess::Kind(obj, QStringLiteral("caption")), PropertyKind::Text) << text;
        EXPECT_EQ(PropertyAccess::Text(obj, QStringLiteral("Caption")), QLatin1String(text));
        PropertyAccess::SetText(obj, QStringLiteral("CAPTION"), QStringLiteral("ny"));
        EXPECT_EQ(PropertyAccess::Text(obj, QStringLiteral("Caption")), QStringLiteral("ny")) << text;
    }
    EXPECT_EQ(menu.title(), QStringLiteral("ny"));
    EXPECT_EQ(PropertyAccess::Kind(&plain, QStringLiteral("Caption")), PropertyKind::None);
    EXPECT_EQ(PropertyAccess::Text(&plain, QStringLiteral("Caption")), QString());
    PropertyAccess::SetText(&plain, QStringLiteral("Caption"), QStringLiteral("x"));
    EXPECT_EQ(plain.windowTitle(), QStringLiteral("not a window"));
}

TEST(PropertyAccess, HintIsTheToolTipAndAnActionsDefaultToolTipIsNoHint)
{
    QPushButton button;
    EXPECT_EQ(PropertyAccess::Kind(&button, QStringLiteral("Hint")), PropertyKind::Text);
    button.setToolTip(QStringLiteral("Tip"));
    EXPECT_EQ(PropertyAccess::Text(&button, QStringLiteral("Hint")), QStringLiteral("Tip"));
    QAction action(QStringLiteral("&Gem..."));
    EXPECT_FALSE(action.toolTip().isEmpty());
    EXPECT_EQ(PropertyAccess::Text(&action, QStringLiteral("Hint")), QString());
    action.setToolTip(QStringLiteral("Gemmer posten"));
    EXPECT_EQ(PropertyAccess::Text(&action, QStringLiteral("Hint")), QStringLiteral("Gemmer posten"));
    PropertyAccess::SetText(&action, QStringLiteral("Hint"), QStringLiteral("Saves"));
    EXPECT_EQ(action.toolTip(), QStringLiteral("Saves"));
    QObject plain;
    EXPECT_EQ(PropertyAccess::Kind(&plain, QStringLiteral("Hint")), PropertyKind::None);
}

TEST(PropertyAccess, ItemListsOfComboAndListBoxes)
{
    QComboBox combo;
    combo.addItems({"a", "b", "c"});
    QListWidget list;
    list.addItems({"a", "b"});
    for (QObject* obj : {static_cast<QObject*>(&combo), static_cast<QObject*>(&list)}) {
        EXPECT_EQ(PropertyAccess::Kind(obj, QStringLiteral("Items")), PropertyKind::StringList);
        PropertyAccess::SetList(obj, QStringLiteral("items"), {"x", "y", "z", "w"});
        EXPECT_EQ(PropertyAccess::List(obj, QStringLiteral("Items")), (QStringList{"x", "y", "z", "w"}));
        PropertyAccess::SetList(obj, QStringLiteral("Items"), {"only"});
        EXPECT_EQ(PropertyAccess::List(obj, QStringLiteral("Items")), (QStringList{"only"}));
        EXPECT_EQ(PropertyAccess::ReadPropertyText(obj, QStringLiteral("Items")), QStringLiteral("only"));
    }
}

TEST(PropertyAccess, ColumnTitlesOfTableAndTreeWidgets)
{
    QTableWidget table(0, 3);
    table.setHorizontalHeaderLabels({"A", "B"});
    QTreeWidget tree;
    tree.setHeaderLabels({"A", "B", "C"});
    for (QObject* obj : {static_cast<QObject*>(&table), static_cast<QObject*>(&tree)}) {
        EXPECT_EQ(PropertyAccess::Kind(obj, QStringLiteral("Columns")), PropertyKind::GridColumns);
        PropertyAccess::SetList(obj, QStringLiteral("Columns"), {"X", "Y", "Z", "extra"});
        EXPECT_EQ(PropertyAccess::List(obj, QStringLiteral("Columns")), (QStringList{"X", "Y", "Z"}));
    }
}

TEST(PropertyAccess, DeclaredPropertiesWinAndDecideTheKind)
{
    CaptionButton own(QStringLiteral("Knaptekst"));
    own.caption = QStringLiteral("Egen");
    EXPECT_EQ(PropertyAccess::Text(&own, QStringLiteral("Caption")), QStringLiteral("Egen"));
    ListHolder holder;
    holder.columns = QStringList{"a"};
    holder.items = QStringList{"i", "j k"};
    EXPECT_EQ(PropertyAccess::Kind(&holder, QStringLiteral("Columns")), PropertyKind::GridColumns);
    EXPECT_EQ(PropertyAccess::Kind(&holder, QStringLiteral("Items")), PropertyKind::StringList);
    EXPECT_EQ(PropertyAccess::Kind(&holder, QStringLiteral("Values")), PropertyKind::StringList);
    EXPECT_EQ(PropertyAccess::ReadPropertyText(&holder, QStringLiteral("Items")), QStringLiteral("i,\"j k\""));
    PanelHost host;
    EXPECT_EQ(PropertyAccess::Kind(&host, QStringLiteral("Count")), PropertyKind::None);
    EXPECT_EQ(PropertyAccess::Kind(&host, QStringLiteral("Panels")), PropertyKind::None) << "read-only";
    // Qt's own declared properties are reachable under their own names.
    QLabel label(QStringLiteral("t"));
    EXPECT_EQ(PropertyAccess::Kind(&label, QStringLiteral("TEXT")), PropertyKind::Text);
    EXPECT_EQ(PropertyAccess::Kind(&label, QStringLiteral("Warning")), PropertyKind::None);
}

} // namespace

TEST(PropertyAccess, PropertiesAClassMarksAsDataAreNotTranslated)
{
    RecordList list;
    auto* rows = new RecordRows(&list);
    rows->rows = QStringList{"Drama", "Komedie"};
    list.setModel(rows);
    list.setToolTip(QStringLiteral("Vælg"));
    EXPECT_EQ(PropertyAccess::Kind(&list, QStringLiteral("items")), PropertyKind::None);
    EXPECT_EQ(PropertyAccess::Kind(&list, QStringLiteral("Hint")), PropertyKind::Text);
    EXPECT_TRUE(PropertyAccess::List(&list, QStringLiteral("Items")).isEmpty());
    EXPECT_TRUE(PropertyAccess::ReadPropertyText(&list, QStringLiteral("Items")).isEmpty());
    // A list that grew since the design must keep every row when texts are written back.
    rows->add(QStringLiteral("Western"));
    PropertyAccess::SetList(&list, QStringLiteral("Items"), {"Drama"});
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.itemText(2), QStringLiteral("Western"));

    DataHolder holder;
    DerivedDataHolder derived;
    for (ListHolder* obj : {static_cast<ListHolder*>(&holder), static_cast<ListHolder*>(&derived)}) {
        obj->items = QStringList{"a"};
        EXPECT_EQ(PropertyAccess::Kind(obj, QStringLiteral("Items")), PropertyKind::None);
        EXPECT_EQ(PropertyAccess::Kind(obj, QStringLiteral("Values")), PropertyKind::None);
        EXPECT_EQ(PropertyAccess::Kind(obj, QStringLiteral("Hints")), PropertyKind::StringList);
        PropertyAccess::SetList(obj, QStringLiteral("Items"), {"x"});
        EXPECT_EQ(obj->items, QStringList{"a"});
    }
}

TEST(PropertyAccess, WritingItemsIntoAListThatKeepsItsRowsEnds)
{
    // Not marked, but its model refuses removals: the writer gives up instead of looping.
    QComboBox combo;
    auto* rows = new RecordRows(&combo);
    rows->rows = QStringList{"a", "b", "c"};
    combo.setModel(rows);
    PropertyAccess::SetList(&combo, QStringLiteral("Items"), {"x"});
    EXPECT_EQ(combo.count(), 3);
}
