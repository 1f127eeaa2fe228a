// The lookup windows as a user sees them: their texts per language, their size and place,
// the category window's adaptation to the screen, layout, language files, and the command
// that the main window runs.
#include "LookupFixture.h"

#include "common/LayoutCheck.h"
#include "dbctrls/DBGrid.h"
#include "forms/KatForm.h"
#include "forms/LookupWindows.h"
#include "forms/OptagerForm.h"
#include "locale/LanguageCoverage.h"
#include "locale/TQFormLocalizer.h"
#include "support/Alignment.h"
#include "support/WindowSize.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QTimer>

using namespace lookuptest;
using forms::LookupMember;

namespace {

struct ShowCase {
    LookupMember member;
    int language;
    const char* add;
    const char* remove;
    const char* column;
    const char* caption;
};

class FormShowTexts : public LookupTest, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(FormShowTexts, SetTheMenuItemsTheFirstColumnAndTheCaption)
{
    const ShowCase& c = GetParam();
    setLanguage(c.language);
    forms::TLookupForm& form = open(c.member);
    const QList<QAction*> items = form.MainMenu1->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->objectName(), QString::fromLatin1(form.member().addItem.name));
    EXPECT_EQ(items[0]->text(), QString::fromUtf8(c.add));
    EXPECT_EQ(items[1]->text(), QString::fromUtf8(c.remove));
    EXPECT_EQ(form.DBGrid1->columnTitles(), QStringList{QString::fromUtf8(c.column)});
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8(c.caption));
}

INSTANTIATE_TEST_SUITE_P(
    PerMemberAndLanguage, FormShowTexts,
    ::testing::Values(
        ShowCase{LookupMember::Category, -1, "Tilføj", "Slet", "Kategori", "Kategorier"},
        ShowCase{LookupMember::Category, 0, "Add", "Erase", "Category", "Categories"},
        ShowCase{LookupMember::Category, 1, "Tilføy", "Fjern", "Kategori", "Kategorier"},
        ShowCase{LookupMember::Category, 2, "Lägg till", "Radera", "Kategori", "Kategorier"},
        ShowCase{LookupMember::Category, 3, "Hinzufügen", "Löschen", "Kategorie", "Kategorien"},
        // The other windows keep their designed caption, translated by the language file.
        ShowCase{LookupMember::Type, -1, "Tilføj", "Slet", "Typer", "Typer"},
        ShowCase{LookupMember::Type, 0, "Add", "Erase", "Types", "Types"},
        ShowCase{LookupMember::Type, 3, "Hinzufügen", "Löschen", "Typen", "Typen"},
        ShowCase{LookupMember::Director, -1, "Tilføj", "Slet", "Instruktør", "Instruktør"},
        ShowCase{LookupMember::Director, 0, "Add", "Delete", "Director", "Director"},
        ShowCase{LookupMember::Director, 2, "Lägg till", "Radera", "Instruktör", "Regissör"},
        ShowCase{LookupMember::Director, 3, "Hinzufügen", "Löschen", "Regisseure", "Regisseur"},
        ShowCase{LookupMember::Actor, 1, "Tilføy", "Fjern", "Skuespiller", "Skuespillere"},
        ShowCase{LookupMember::Actor, 2, "Lägg till", "Radera", "Skådespelare", "Skådespelare"},
        ShowCase{LookupMember::RecordedBy, -1, "Tilføj", "Slet", "Optaget af", "Optaget af"},
        ShowCase{LookupMember::RecordedBy, 0, "Add", "Erase", "Recorded by", "Recorded by"},
        ShowCase{LookupMember::RecordedBy, 2, "Lägg till", "Radera", "Uptaget av", "Inspelad av"},
        ShowCase{LookupMember::RecordedBy, 3, "Hinzufügen", "Löschen", "Aufgenommen von", "Aufgenommen von"}),
    [](const auto& info) {
        return std::string(forms::lookupMember(info.param.member).objectName) + "_" + languageName(info.param.language);
    });

TEST_F(LookupTest, TheLanguageFileTranslatesTheDesignedTextsBeforeTheWindowIsShown)
{
    setLanguage(0);
    forms::TLookupForm& form = create(LookupMember::RecordedBy);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Recorded by"));
    EXPECT_EQ(form.DBGrid1->columnTitles(), QStringList{"Recorded by"});
    EXPECT_EQ(form.MainMenu1->actions().at(1)->text(), QStringLiteral("Delete"));

    setLanguage(-1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Optaget af"));
    EXPECT_EQ(form.DBGrid1->columnTitles(), QStringList{"Optagetaf"});
    EXPECT_EQ(form.MainMenu1->actions().at(1)->text(), QStringLiteral("Slet"));
}

TEST_F(LookupTest, TheWindowsAreBuiltAsDesigned)
{
    for (LookupMember member : forms::kLookupMembers) {
        const forms::LookupMemberInfo& info = forms::lookupMember(member);
        forms::TLookupForm& form = create(member);
        SCOPED_TRACE(info.objectName);
        EXPECT_EQ(form.objectName(), QString::fromLatin1(info.objectName));
        EXPECT_EQ(QString::fromLatin1(form.metaObject()->className()), QStringLiteral("forms::") + info.className);
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8(info.caption));
        EXPECT_EQ(support::outerSize(&form), info.outerSize);
        EXPECT_EQ(form.MainMenu1->actions().at(0)->text(), QString::fromUtf8(info.addItem.caption));
        EXPECT_EQ(form.MainMenu1->actions().at(1)->text(), QString::fromUtf8(info.deleteItem.caption));
        EXPECT_EQ(form.DBGrid1->dataSource(), dm.get()->*info.source);
        EXPECT_EQ(form.DBGrid1->gridModel()->columns().size(), 1u);
        EXPECT_EQ(form.DBGrid1->gridModel()->columns().at(0).fieldName, QString::fromLatin1(info.listField));
        EXPECT_TRUE(form.DBGrid1->horizontalHeader()->font().bold());
        EXPECT_FALSE(form.DBGrid1->isReadOnly());
        EXPECT_EQ(form.QFormLocalizer1->PropNames(), (QStringList{"Caption", "Hint", "Columns"}));
        EXPECT_EQ(form.font().family(), QStringLiteral("Liberation Sans"));
        EXPECT_EQ(form.font().pointSize(), 8);
    }
    EXPECT_EQ(create(LookupMember::Director).DBGrid1->columnTitles(), QStringList{QString::fromUtf8("Instruktør")});
    EXPECT_EQ(create(LookupMember::RecordedBy).DBGrid1->columnTitles(), QStringList{"Optagetaf"});
}

TEST_F(LookupTest, TheGridFillsTheWindowBelowTheMenuBar)
{
    for (LookupMember member : forms::kLookupMembers) {
        forms::TLookupForm& form = open(member);
        SCOPED_TRACE(form.objectName().toStdString());
        for (const QSize size : {form.size(), QSize(400, 500)}) {
            form.resize(size);
            QApplication::processEvents();
            EXPECT_EQ(form.MainMenu1->geometry(), QRect(0, 0, size.width(), form.MainMenu1->sizeHint().height()));
            EXPECT_EQ(form.DBGrid1->geometry(),
                      QRect(0, form.MainMenu1->height(), size.width(), size.height() - form.MainMenu1->height()));
            const QHeaderView* header = form.DBGrid1->horizontalHeader();
            EXPECT_EQ(header->sectionSize(0), form.DBGrid1->viewport()->width()) << "the one column fills the grid";
        }
    }
}

TEST_F(LookupTest, CentredWindowsAndTheRecordedByWindowAtItsDesignedPlace)
{
    const QSize screen(1280, 1024);
    for (LookupMember member : forms::kLookupMembers) {
        forms::TLookupForm& form = open(member, screen);
        const QRect area = form.screenRect();
        const QSize outer = support::outerSize(&form);
        const QPoint expected = member == LookupMember::RecordedBy
                                    ? QPoint(192, 113)
                                    : area.topLeft() + QPoint((1280 - outer.width()) / 2, (1024 - outer.height()) / 2);
        EXPECT_EQ(form.frameGeometry().topLeft(), expected) << form.objectName().toStdString();
    }
}

TEST_F(LookupTest, TheCategoryWindowKeepsItsDesignOnAnEightHundredPixelScreen)
{
    auto& form = static_cast<forms::TKatForm&>(open(LookupMember::Category, QSize(800, 600)));
    EXPECT_EQ(support::outerSize(&form), QSize(225, 345));
    EXPECT_EQ(form.font().pointSizeF(), 8.0);
    EXPECT_EQ(form.frameGeometry().topLeft(), form.screenRect().topLeft() + QPoint((800 - 225) / 2, (600 - 345) / 2));
}

TEST_F(LookupTest, TheCategoryWindowGrowsWithAWiderScreen)
{
    auto& design = static_cast<forms::TKatForm&>(open(LookupMember::Category, QSize(800, 600)));
    const int designRow = design.DBGrid1->verticalHeader()->defaultSectionSize();
    const int designMenu = design.MainMenu1->height();
    const double designTitle = QFontInfo(design.DBGrid1->horizontalHeader()->font()).pointSizeF();

    auto& form = static_cast<forms::TKatForm&>(open(LookupMember::Category, QSize(1024, 768)));
    EXPECT_EQ(support::outerSize(&form), QSize(288, 441));
    EXPECT_EQ(support::outerSize(&form), QSize(1024 * 225 / 800, 768 * 345 / 600));
    const double factor = 1024.0 / 800.0;
    EXPECT_DOUBLE_EQ(form.font().pointSizeF(), 8.0 * factor);
    EXPECT_DOUBLE_EQ(form.DBGrid1->font().pointSizeF(), 8.0 * factor);
    EXPECT_DOUBLE_EQ(form.MainMenu1->font().pointSizeF(), 8.0 * factor);
    EXPECT_TRUE(form.DBGrid1->horizontalHeader()->font().bold());
    EXPECT_GT(QFontInfo(form.DBGrid1->horizontalHeader()->font()).pointSizeF(), designTitle);
    EXPECT_GT(form.DBGrid1->verticalHeader()->defaultSectionSize(), designRow);
    EXPECT_GT(form.MainMenu1->height(), designMenu);
    EXPECT_EQ(form.DBGrid1->geometry(), QRect(0, form.MainMenu1->height(), form.width(), form.height() - form.MainMenu1->height()));
    EXPECT_EQ(form.frameGeometry().topLeft(), form.screenRect().topLeft() + QPoint((1024 - 288) / 2, (768 - 441) / 2));
}

TEST_F(LookupTest, OnlyTheCategoryWindowAdaptsToTheScreen)
{
    for (LookupMember member : {LookupMember::Type, LookupMember::Director, LookupMember::Actor, LookupMember::RecordedBy}) {
        forms::TLookupForm& form = open(member, QSize(1024, 768));
        EXPECT_EQ(support::outerSize(&form), form.member().outerSize) << form.objectName().toStdString();
        EXPECT_EQ(form.font().pointSizeF(), 8.0);
    }
}

// Texts of one window that a user would not see whole: the checked labels and buttons, menu
// items pushed off the menu bar (leaving room for a window frame of 4 pixels a side, which
// the offscreen platform does not draw), and a column title wider than its column.
QStringList hiddenTexts(forms::TLookupForm& form)
{
    QStringList problems = testing_support::textsThatDoNotFit(&form);
    const int usable = support::outerSize(&form).width() - 8;
    for (QAction* item : form.MainMenu1->actions()) {
        const QRect place = form.MainMenu1->actionGeometry(item);
        if (place.isEmpty() || !form.MainMenu1->rect().contains(place) || place.right() >= usable)
            problems << QStringLiteral("%1: '%2' is not on the menu bar").arg(item->objectName(), item->text());
    }
    const QHeaderView* header = form.DBGrid1->horizontalHeader();
    const QString title = form.DBGrid1->columnTitles().value(0);
    const int need = QFontMetrics(header->font()).horizontalAdvance(title) + 8;
    if (need > header->sectionSize(0))
        problems << QStringLiteral("DBGrid1: '%1' needs %2 px, has %3").arg(title).arg(need).arg(header->sectionSize(0));
    return problems;
}

TEST_F(LookupTest, EveryTextFitsInEveryLanguage)
{
    for (int language = -1; language <= 3; ++language) {
        setLanguage(language);
        for (LookupMember member : forms::kLookupMembers) {
            forms::TLookupForm& form = open(member);
            QApplication::processEvents();
            const QStringList problems = hiddenTexts(form);
            EXPECT_TRUE(problems.isEmpty()) << form.objectName().toStdString() << " " << languageName(language) << ": "
                                            << problems.join(QStringLiteral("; ")).toStdString();
        }
    }
}

TEST_F(LookupTest, TheLanguageFilesTranslateEveryDesignedText)
{
    for (LookupMember member : forms::kLookupMembers) {
        forms::TLookupForm& form = create(member);
        for (const char* file : {"English.lng", "Norsk.lng", "Svensk.lng", "Deutsch.lng"}) {
            const auto report = locale::LanguageCoverage::CheckFile(
                &form, form.QFormLocalizer1->PropNames(), testing_support::builtProgramDir() + "/" + file);
            EXPECT_TRUE(report.complete()) << form.objectName().toStdString() << " in " << file << ":\n"
                                           << report.describe().toStdString();
        }
    }
}

TEST_F(LookupTest, TheMainWindowsCommandShowsTheWindowModallyAndFreesIt)
{
    QWidget owner;
    owner.show();
    const struct {
        LookupMember member;
        const char* className;
    } cases[] = {{LookupMember::Category, "forms::TKatForm"},       {LookupMember::Type, "forms::TTyperForm"},
                 {LookupMember::Director, "forms::TInstruktorForm"}, {LookupMember::Actor, "forms::TFormSkuespil"},
                 {LookupMember::RecordedBy, "forms::TOptagerForm"}};
    for (const auto& c : cases) {
        QString seen;
        bool modal = false;
        QWidget* parent = nullptr;
        QTimer::singleShot(0, [&] {
            QWidget* shown = QApplication::activeModalWidget();
            if (!shown)
                return;
            seen = QString::fromLatin1(shown->metaObject()->className());
            modal = shown->isModal();
            parent = shown->parentWidget();
            shown->close();
        });
        forms::showLookupWindow(c.member, &owner);
        EXPECT_EQ(seen, QString::fromLatin1(c.className));
        EXPECT_TRUE(modal);
        EXPECT_EQ(parent, &owner);
        EXPECT_TRUE(owner.findChildren<forms::TLookupForm*>().isEmpty()) << "freed when closed";
    }
    EXPECT_EQ(forms::KatForm, nullptr);
    EXPECT_EQ(forms::OptagerForm, nullptr);
}

} // namespace
