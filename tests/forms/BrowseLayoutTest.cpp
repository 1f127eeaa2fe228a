#include "BrowseFixture.h"

#include "common/LayoutCheck.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "forms/IndholdForm.h"
#include "forms/OversigtForm.h"
#include "forms/SkueForm.h"
#include "dbctrls/DBMemo.h"
#include "dbctrls/DBText.h"
#include "locale/LanguageCoverage.h"
#include "locale/TQFormLocalizer.h"
#include "support/EasyFind.h"
#include "support/FormResizer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QStyle>
#include <QToolButton>

using browsetest::BrowseTest;

namespace {

class BrowseLayout : public BrowseTest {
protected:
    static QString languageFile(const char* name)
    {
        return testing_support::builtProgramDir() + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".lng");
    }
    static void expectFits(QWidget* window, const std::string& what)
    {
        const QStringList problems = testing_support::textsThatDoNotFit(window);
        EXPECT_TRUE(problems.isEmpty()) << what << ":\n" << problems.join(QLatin1Char('\n')).toStdString();
    }
    // Column titles are bold and must not be cut either.
    static void expectTitlesFit(const dbctrls::TDBGrid* grid, const std::string& what)
    {
        const QHeaderView* header = grid->horizontalHeader();
        const QFontMetrics metrics(header->font());
        const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        const QStringList titles = grid->columnTitles();
        for (int column = 0; column < titles.size(); ++column)
            EXPECT_LE(metrics.horizontalAdvance(titles.at(column)) + margins, grid->columnWidth(column))
                << what << ": " << titles.at(column).toStdString();
    }
    static void expectComplete(QWidget* window, const QStringList& propNames)
    {
        for (const char* language : {"English", "Norsk", "Svensk", "Deutsch"}) {
            const locale::CoverageReport report =
                locale::LanguageCoverage::CheckFile(window, propNames, languageFile(language));
            EXPECT_TRUE(report.complete()) << window->objectName().toStdString() << " in " << language << ":\n"
                                           << report.describe().toStdString();
        }
    }
};

const QStringList kCaptionHintColumns = {QStringLiteral("Caption"), QStringLiteral("Hint"), QStringLiteral("Columns")};

// The designed text of a named control: a button's or label's text, a group box's title.
QString designedText(const QWidget* window, const char* name)
{
    const QObject* control = window->findChild<QObject*>(QString::fromLatin1(name));
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    return QStringLiteral("<no control %1>").arg(QLatin1String(name));
}

bool isBold(const QWidget* window, const char* name)
{
    const auto* control = window->findChild<QWidget*>(QString::fromLatin1(name));
    return control && control->font().bold();
}

struct DesignedControl {
    const char* name;
    const char* text;
    bool bold;
};

void expectDesigned(const QWidget* window, std::initializer_list<DesignedControl> controls)
{
    for (const DesignedControl& c : controls) {
        EXPECT_EQ(designedText(window, c.name), QString::fromUtf8(c.text)) << c.name;
        EXPECT_EQ(isBold(window, c.name), c.bold) << c.name;
    }
}

// Both searches of the overview and the one of the content search are set up alike.
void expectDescriptionSearch(const support::TEasyFind* find, engine::DataSource* source)
{
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->DataSource, source);
    EXPECT_EQ(find->MultiCharPattern, QStringLiteral("%"));
    EXPECT_EQ(find->SingleCharPattern, QLatin1Char('_'));
    EXPECT_FALSE(find->CaseSensitive);
    EXPECT_FALSE(find->AllowWildcards);
    EXPECT_EQ(find->SearchField, QStringLiteral("Indhold"));
}

} // namespace

TEST_F(BrowseLayout, OverviewTextsFitInEveryLanguageAtThreeScales)
{
    for (const int language : browsetest::kLanguages) {
        useLanguage(language);
        forms::TOversigtForm form;
        form.show();
        for (const double scale : {1.0, 0.8, 1.5}) {
            form.resize(qRound(forms::TOversigtForm::kDesignWidth * scale), qRound(forms::TOversigtForm::kDesignHeight * scale));
            expectFits(&form, "language " + std::to_string(language) + " at " + std::to_string(scale));
            expectTitlesFit(form.DBGrid1, "overview grid, language " + std::to_string(language));
            // The right-aligned search label never reaches into the edit box beside it.
            EXPECT_LE(form.Label8->geometry().right(), form.findChild<QWidget*>(QStringLiteral("Edit3"))->x())
                << language << " " << scale;
        }
        form.resize(forms::TOversigtForm::kDesignWidth, forms::TOversigtForm::kDesignHeight);
    }
}

TEST_F(BrowseLayout, ContentSearchAndActorWindowTextsFitInEveryLanguage)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Jagten"));
    addCast(QStringLiteral("0001-00"), QStringLiteral("Mads Mikkelsen"), QStringLiteral("Lucas"));
    for (const int language : browsetest::kLanguages) {
        useLanguage(language);
        forms::TIndholdForm content;
        content.show();
        expectFits(&content, "content search, language " + std::to_string(language));
        forms::TSkueForm actors;
        actors.show();
        actors.DBLookupComboBox7->chooseRow(0);
        ASSERT_FALSE(actors.Label26->text().isEmpty());
        expectFits(&actors, "actor window, language " + std::to_string(language));
        expectTitlesFit(actors.DBGrid5, "actor grid, language " + std::to_string(language));
    }
}

TEST_F(BrowseLayout, EveryLanguageFileTranslatesTheThreeWindowsCompletely)
{
    forms::TOversigtForm overview;
    expectComplete(&overview, kCaptionHintColumns);
    forms::TIndholdForm content;
    expectComplete(&content, {QStringLiteral("Caption"), QStringLiteral("Hint")});
    forms::TSkueForm actors;
    expectComplete(&actors, kCaptionHintColumns);
}

TEST_F(BrowseLayout, TheOverviewFollowsLanguageChangesWhileItLives)
{
    useLanguage(3);
    forms::TOversigtForm overview;
    EXPECT_EQ(overview.windowTitle(), QString::fromUtf8("Übersicht"));
    EXPECT_EQ(overview.DBGrid1->columnTitles().at(13), QStringLiteral("Fabrikat"));
    EXPECT_EQ(overview.DBGrid1->columnTitles().at(0), QStringLiteral("Bandnr."));
    useLanguage(-1);
    overview.show();
    EXPECT_EQ(overview.windowTitle(), QStringLiteral("Oversigt"));
    EXPECT_EQ(overview.DBGrid1->columnTitles().at(0), QStringLiteral("TapeNr"));
    EXPECT_EQ(overview.Label24->text(), QStringLiteral("Optaget af"));
    expectFits(&overview, "back in Danish");
    overview.close();
    useLanguage(0);
    overview.show();
    EXPECT_EQ(overview.Label24->text(), QStringLiteral("Recorded by"));
    expectFits(&overview, "English after Danish");
}

TEST_F(BrowseLayout, TheOverviewIsBuiltAsDesigned)
{
    forms::TOversigtForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Oversigt"));
    expectDesigned(&form, {{"GroupBox2", "Sortering", true}, {"RadioButton4", "Båndnr.", false},
                           {"RadioButton9", "Type", false}, {"RadioButton5", "Titel", false},
                           {"RadioButton6", "Kategori", false}, {"GroupBox1", "Søg", true},
                           {"RadioButton1", "Båndnr.", false}, {"RadioButton2", "Titel", false},
                           {"RadioButton3", "Kategori", false}, {"SpeedButton1", "...", false},
                           {"GroupBox3", "Selektering", true}, {"Label15", "Kategori/genre", false},
                           {"Label20", "Type", false}, {"Label23", "Instruktør", false},
                           {"Label24", "Optaget af", false}, {"RadioButton8", "Udlånte", false},
                           {"RadioButton7", "Alle", false}, {"Label8", "Søg indhold", true},
                           {"SpeedButton2", "...", false}, {"Button1", "Indhold", true},
                           {"Button2", "Skuespillere", true}});
    EXPECT_TRUE(form.Label8->alignment() & Qt::AlignRight);
    for (QToolButton* dots : {form.SpeedButton1, form.SpeedButton2}) {
        EXPECT_EQ(dots->toolTip(), QString::fromUtf8("Find/Find næste"));
        EXPECT_EQ(dots->cursor().shape(), Qt::PointingHandCursor);
    }
    const struct {
        dbctrls::TDBLookupComboBox* list;
        engine::DataSource* source;
    } lists[] = {{form.DBLookupComboBox1, dm->KatSource}, {form.DBLookupComboBox3, dm->TypeSource},
                 {form.DBLookupComboBox5, dm->InstruktorSource}, {form.DBLookupComboBox6, dm->OptagetSource}};
    for (const auto& l : lists) {
        EXPECT_EQ(l.list->listSource(), l.source) << l.list->objectName().toStdString();
        EXPECT_EQ(l.list->dataSource(), nullptr) << "a picker, bound to no field";
        EXPECT_EQ(l.list->dropDownRows(), 18);
        EXPECT_EQ(l.list->keyValue(), QString());
    }
    EXPECT_EQ(form.DBGrid1->dataSource(), dm->VideoSource);
    EXPECT_TRUE(form.DBGrid1->horizontalHeader()->font().bold());
    EXPECT_FALSE(form.DBGrid1->isReadOnly());
    expectDescriptionSearch(form.EasyFind1, dm->VideoSource);
    expectDescriptionSearch(form.EasyFind2, dm->VideoSource);
    EXPECT_TRUE(form.FormResizer1->ResizeFonts());
    EXPECT_EQ(form.FormResizer1->MinFontSize(), 8);
    EXPECT_EQ(form.FormResizer1->MaxFontSize(), 48);
    EXPECT_EQ(form.QFormLocalizer1->PropNames(), kCaptionHintColumns);
    EXPECT_EQ(form.Edit1->text(), QString());
    EXPECT_EQ(form.Edit3->text(), QString());
}

TEST_F(BrowseLayout, TheContentSearchIsBuiltAsDesigned)
{
    forms::TIndholdForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Indhold"));
    expectDesigned(&form, {{"Label77", "Søgeord", true}, {"FindButton", "Søg", true}, {"Label59", "Indhold af ", true},
                           {"Label11", "Fundne titler", true}, {"Label10", "0", true}});
    EXPECT_EQ(form.focusWidget(), form.OrdIndtast) << "first in the tab order";
    EXPECT_TRUE(form.FindButton->autoRaise()) << "a flat button";
    EXPECT_FALSE(form.FindButton->icon().isNull());
    EXPECT_EQ(form.FindButton->cursor().shape(), Qt::ArrowCursor) << "only the overview's speed buttons show a hand";
    EXPECT_EQ(form.ListBox1->toolTip().split(QRegularExpression(QStringLiteral("[\\r\\n]+"))),
              (QStringList{"Klik for at se beskrivelsen af denne film", "Dobbeltklik for at se al information"}));
    EXPECT_EQ(form.ListBox1->count(), 0);
    EXPECT_EQ(form.DBText1->dataSource(), dm->VideoSource);
    EXPECT_EQ(form.DBText1->dataField(), QStringLiteral("Titel"));
    EXPECT_EQ(form.VisFundneMemo->dataSource(), dm->VideoSource);
    EXPECT_EQ(form.VisFundneMemo->dataField(), QStringLiteral("Indhold"));
    EXPECT_FALSE(form.VisFundneMemo->isReadOnly()) << "the description can be edited here";
    expectDescriptionSearch(form.EasyFind1, dm->VideoSource);
    EXPECT_EQ(form.QFormLocalizer1->PropNames(), (QStringList{"Caption", "Hint"}));
}

TEST_F(BrowseLayout, TheActorWindowIsBuiltAsDesigned)
{
    forms::TSkueForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Skuespillere"));
    expectDesigned(&form, {{"Label25", "Vælg skuespiller", true}, {"Label26", "", false}});
    EXPECT_EQ(form.DBLookupComboBox7->listSource(), dm->SkuespilSource);
    EXPECT_EQ(form.DBLookupComboBox7->dataSource(), nullptr);
    EXPECT_EQ(form.DBLookupComboBox7->dropDownRows(), 18);
    EXPECT_EQ(form.DBGrid5->dataSource(), dm->MedvirkAllSource);
    EXPECT_EQ(form.DBGrid5->toolTip(), QString::fromUtf8("Dobbeltklik på en film for at se alle informationer"));
    EXPECT_TRUE(form.DBGrid5->horizontalHeader()->font().bold());
    EXPECT_EQ(form.QFormLocalizer1->PropNames(), kCaptionHintColumns);
}

TEST_F(BrowseLayout, TheOverviewsMinimumSizeIsTheSmallestAtWhichNothingClips)
{
    std::unique_ptr<forms::TOversigtForm> form;
    const auto overviewIn = [&](int language) {
        useLanguage(language);
        form = std::make_unique<forms::TOversigtForm>();
        form->show();
        return form.get();
    };
    EXPECT_EQ(testing_support::minimumSizeFaults(overviewIn, {forms::TOversigtForm::kDesignWidth, forms::TOversigtForm::kDesignHeight},
                                                 {forms::TOversigtForm::kMinimumWidth, forms::TOversigtForm::kMinimumHeight}),
              QStringList());
    // Moved into a corner as a window manager may do when it maps a window: centred again.
    form->move(1, 20);
    QTest::qWait(20);
    EXPECT_LE((form->frameGeometry().center() - form->screen()->availableGeometry().center()).manhattanLength(), 2);
}
