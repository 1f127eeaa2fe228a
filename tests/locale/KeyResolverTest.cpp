// Resolving the keys of a section: the window's own properties, components anywhere below
// the window, object-valued and collection properties.
#include "TestForm.h"
#include "locale/KeyResolver.h"

#include <gtest/gtest.h>

using namespace locale;
using namespace locale_test;

namespace {

class KeyResolverTest : public ::testing::Test {
protected:
    KeyResolverTest()
    {
        window.setObjectName(QStringLiteral("HovedForm"));
        host = new PanelHost(&window);
        host->setObjectName(QStringLiteral("Host1"));
        for (int i = 0; i < 3; ++i) {
            auto* panel = new QLabel(QStringLiteral("Panel %1").arg(i), host);
            panel->setObjectName(QStringLiteral("Panel%1").arg(i));
            host->panelList.append(panel);
        }
        title = new QLabel(QStringLiteral("Title"));
        host->titleObject = title;
        auto* nested = new QWidget(host);
        deep = new QPushButton(nested);
        deep->setObjectName(QStringLiteral("DeepButton"));
    }
    ~KeyResolverTest() override { delete title; }

    ResolvedKey resolve(const QString& key) { return KeyResolver(&window, names).Resolve(key); }

    QWidget window;
    PanelHost* host;
    QLabel* title;
    QPushButton* deep;
    QStringList names{"Caption", "Panels", "Title", "Count"};
};

struct PathCase {
    const char* key;
    const char* target; // object name, "window", or nullptr for no target
    const char* propName;
};

TEST_F(KeyResolverTest, PathsReachTheirTargets)
{
    const PathCase cases[] = {
        {"Caption", "window", "Caption"},
        {"Host1.Caption", "Host1", "Caption"},
        {"host1.caption", "Host1", "caption"},
        {"DeepButton.Hint", "DeepButton", "Hint"},
        {"Host1.DeepButton.Caption", "DeepButton", "Caption"},
        {"Host1.Panels[1].Caption", "Panel1", "Caption"},
        {"Host1.Panels[0].Hint", "Panel0", "Hint"},
        {"Host1.Title.Caption", "TitleLabel", "Caption"},
        {"HovedForm.Caption", nullptr, "Caption"},
        {"NoSuch.Caption", nullptr, "Caption"},
        {"Host1.Panels[3].Caption", nullptr, "Caption"},
        {"Host1.Panels[x].Caption", nullptr, "Caption"},
        {"Host1.Panels[-1].Caption", nullptr, "Caption"},
        {"Host1.Panels.Caption", nullptr, "Caption"},
        {"Host1.Panels[1]", nullptr, "Panels[1]"},
        {"Host1.Count.Caption", nullptr, "Caption"},
        {"Host1[0].Caption", nullptr, "Caption"},
        {".Caption", nullptr, "Caption"},
        {"Host1.", "Host1", ""},
    };
    title->setObjectName(QStringLiteral("TitleLabel"));
    for (const PathCase& c : cases) {
        const ResolvedKey r = resolve(QLatin1String(c.key));
        const QString expected = !c.target ? QString()
                                 : QLatin1String(c.target) == QLatin1String("window") ? window.objectName()
                                                                                     : QLatin1String(c.target);
        EXPECT_EQ(r.target ? r.target->objectName() : QString(), expected) << c.key;
        EXPECT_EQ(r.propName, QLatin1String(c.propName)) << c.key;
    }
}

TEST_F(KeyResolverTest, PropertySegmentsMustBeAmongThePropertyNames)
{
    names = QStringList{"Caption"};
    EXPECT_EQ(resolve(QStringLiteral("Host1.Panels[1].Caption")).target, nullptr);
    EXPECT_EQ(resolve(QStringLiteral("Host1.Title.Caption")).target, nullptr);
}

TEST_F(KeyResolverTest, TheFirstComponentInCreationOrderWins)
{
    auto* second = new QPushButton(&window);
    second->setObjectName(QStringLiteral("deepbutton"));
    EXPECT_EQ(resolve(QStringLiteral("DeepButton.Caption")).target, deep);
}

} // namespace
