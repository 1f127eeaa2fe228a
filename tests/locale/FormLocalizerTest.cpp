// The form localizer on a test window: capturing the design texts, applying language files
// over them and restoring them, following the language source.
#include "LocalizerFixture.h"

#include "core/Errors.h"
#include "locale/QuotedText.h"
#include "locale/TQLanguageFile.h"

#include <QDialog>
#include <memory>

using namespace locale;
using namespace locale_test;

namespace {

class FormLocalizerTest : public LocalizerFixture {
protected:
    static void expectDesignTexts(const TestForm& form)
    {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Testvindue"));
        EXPECT_EQ(form.Button1->text(), QStringLiteral("Gem"));
        EXPECT_EQ(form.Button1->toolTip(), QStringLiteral("Gem posten"));
        EXPECT_EQ(form.Button2->text(), QStringLiteral("Luk"));
        EXPECT_EQ(form.Button2->toolTip(), QString());
        EXPECT_EQ(form.Label1->text(), QStringLiteral("Titel:"));
        EXPECT_EQ(form.GroupBox1->title(), QStringLiteral("Oprindelse"));
        EXPECT_EQ(form.ComboBox1->count(), 2);
        EXPECT_EQ(form.ComboBox1->itemText(1), QStringLiteral("Grøn"));
        EXPECT_EQ(form.RadioGroup1->items, (QStringList{"Original", "Kopi", "Privat optagelse"}));
        EXPECT_EQ(form.DBGrid1->columns, TestForm::designColumns());
        EXPECT_EQ(form.DBNavigator1->hints, TestForm::designHints());
        EXPECT_EQ(form.Filer1->title(), QStringLiteral("Filer"));
        EXPECT_EQ(form.Afslut1->text(), QStringLiteral("Afslut"));
        EXPECT_EQ(form.OwnButton1->caption, QStringLiteral("Egen titel"));
        EXPECT_EQ(form.OwnButton1->text(), QStringLiteral("Knaptekst"));
    }

    static QString errorOf(const std::function<void()>& fn)
    {
        try {
            fn();
        } catch (const core::EQLocalError& e) {
            return e.message();
        }
        return QString();
    }
};

TEST_F(FormLocalizerTest, CreationNeedsAWindowWithoutALocalizer)
{
    EXPECT_EQ(errorOf([] { TQFormLocalizer localizer(nullptr); }), QStringLiteral("Owner is not specified!"));
    TestForm form(source);
    EXPECT_EQ(errorOf([&] { new TQFormLocalizer(&form); }),
              QStringLiteral("'TestForm' already contains instance of TQFormLocalizer class!"));
    EXPECT_EQ(form.findChildren<TQFormLocalizer*>().size(), 1);
}

TEST_F(FormLocalizerTest, ASourceSetWhileLoadingIsTakenWhenLoaded)
{
    QWidget window;
    TQFormLocalizer localizer(&window);
    localizer.SetSource(source); // remembered while loading
    EXPECT_EQ(localizer.Source(), nullptr);
    localizer.Loaded();
    EXPECT_EQ(localizer.Source(), source);
    EXPECT_EQ(source->Localizers(), (QList<TQCustomLocalizer*>{&localizer}));
}

TEST_F(FormLocalizerTest, EnglishThenNorskThenBackToDanish)
{
    TestForm form(source);
    expectDesignTexts(form);

    source->SetActiveLanguage(kEnglish);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Test window"));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Save"));
    EXPECT_EQ(form.Button1->toolTip(), QStringLiteral("Save the record"));
    EXPECT_EQ(form.Button2->toolTip(), QString()) << "an empty hint stays empty";
    EXPECT_EQ(form.Button2->text(), QStringLiteral("Luk")) << "an empty value is not applied";
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Title:")) << "a component nested in a panel";
    EXPECT_EQ(form.GroupBox1->title(), QStringLiteral("Origin"));
    EXPECT_EQ(form.ComboBox1->itemText(0), QStringLiteral("Red"));
    EXPECT_EQ(form.RadioGroup1->items, (QStringList{"Original", "Copy"}));
    QStringList columns = TestForm::designColumns();
    const QStringList five{"One", "Two", "Three", "Four", "Five"};
    std::copy(five.begin(), five.end(), columns.begin());
    EXPECT_EQ(form.DBGrid1->columns, columns) << "five titles change only the first five columns";
    EXPECT_EQ(form.DBNavigator1->hints.size(), 9);
    EXPECT_EQ(form.DBNavigator1->hints.last(), QStringLiteral("Cancel"));
    EXPECT_EQ(form.Filer1->title(), QStringLiteral("File"));
    EXPECT_EQ(form.Afslut1->text(), QStringLiteral("Exit"));
    EXPECT_EQ(form.OwnButton1->caption, QStringLiteral("Own caption"));
    EXPECT_EQ(form.OwnButton1->text(), QStringLiteral("Knaptekst")) << "the declared Caption wins";

    source->SetActiveLanguage(kNorsk);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Testvindu"));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Lagre"));
    EXPECT_EQ(form.Button1->toolTip(), QStringLiteral("Save the record")) << "a missing key keeps English";
    EXPECT_EQ(form.GroupBox1->title(), QStringLiteral("Origin"));
    EXPECT_EQ(form.DBGrid1->columns.size(), 14);
    EXPECT_EQ(form.DBGrid1->columns.first(), QStringLiteral("N1"));
    EXPECT_EQ(form.DBGrid1->columns.last(), QStringLiteral("N14")) << "fifteen titles change all fourteen";
    EXPECT_EQ(form.RadioGroup1->items, (QStringList{"Original", "Kopi", "Privat", "Ekstra"}));

    source->SetActiveLanguage(-1);
    expectDesignTexts(form);
    EXPECT_TRUE(form.QFormLocalizer1->Originals().isEmpty());
}

TEST_F(FormLocalizerTest, OriginalsHoldTheDesignTextsInTheQuotedForm)
{
    TestForm form(source);
    source->SetActiveLanguage(kEnglish);
    const QStringList& originals = form.QFormLocalizer1->Originals();
    EXPECT_TRUE(originals.contains(QStringLiteral("Caption=\"Testvindue\"")));
    EXPECT_TRUE(originals.contains(QStringLiteral("Button1.Hint=\"Gem posten\"")));
    EXPECT_TRUE(originals.contains(QStringLiteral("RadioGroup1.Items=\"Original,Kopi,\"\"Privat optagelse\"\"\"")));
    EXPECT_TRUE(originals.contains(QStringLiteral("Label1.Caption=\"Titel:\"")));
    for (const QString& line : originals) {
        EXPECT_FALSE(line.startsWith(QStringLiteral("Button2.Hint="))) << "blank texts are not captured";
        EXPECT_FALSE(line.startsWith(QStringLiteral("Afslut1.Hint="))) << "an action's default tool tip is no hint";
    }
    // Switching to another language does not capture again.
    source->SetActiveLanguage(kNorsk);
    EXPECT_TRUE(form.QFormLocalizer1->Originals().contains(QStringLiteral("Caption=\"Testvindue\"")));
}

TEST_F(FormLocalizerTest, ADialogParentedToTheWindowIsAFormOfItsOwn)
{
    TestForm form(source);
    // A modal window is parented to the window that opens it; its components are its own.
    QDialog dialog(&form);
    auto* twin = new QPushButton(QStringLiteral("Annuller"), &dialog);
    twin->setObjectName(QStringLiteral("Button1"));
    auto* only = new QPushButton(QStringLiteral("Kun her"), &dialog);
    only->setObjectName(QStringLiteral("DialogButton"));
    source->SetActiveLanguage(kEnglish);
    for (const QString& line : form.QFormLocalizer1->Originals())
        EXPECT_FALSE(line.contains(QStringLiteral("Annuller")) || line.contains(QStringLiteral("Kun her"))) << line.toStdString();
    EXPECT_EQ(form.QFormLocalizer1->ResolveKey(QStringLiteral("DialogButton.Caption")).target, nullptr);
    EXPECT_EQ(twin->text(), QStringLiteral("Annuller"));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Save"));
    source->SetActiveLanguage(-1);
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Gem"));
}

TEST_F(FormLocalizerTest, KeysThatReachNothingAreIgnored)
{
    TestForm form(source);
    source->SetActiveLanguage(kEnglish);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Test window")) << "TestForm.Caption resolves to nothing";
    EXPECT_EQ(form.QFormLocalizer1->ResolveKey(QStringLiteral("TestForm.Caption")).target, nullptr);
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Save")) << "Text is not among the property names";
}

TEST_F(FormLocalizerTest, AWindowOpenedLaterShowsTheActiveLanguage)
{
    source->SetActiveLanguage(kEnglish);
    auto english = std::make_unique<TestForm>(source);
    EXPECT_EQ(english->windowTitle(), QStringLiteral("Test window"));
    EXPECT_EQ(english->Button1->text(), QStringLiteral("Save"));
    source->SetActiveLanguage(-1); // it captured its design texts before translating
    expectDesignTexts(*english);
    source->SetActiveLanguage(kEnglish);
    english.reset();
    source->SetActiveLanguage(-1);
    TestForm danish(source);
    expectDesignTexts(danish);
    EXPECT_EQ(source->Localizers().size(), 1);
}

TEST_F(FormLocalizerTest, AMissingLanguageFileKeepsTheTexts)
{
    TestForm form(source);
    source->SetActiveLanguage(kDeutsch);
    EXPECT_EQ(form.layoutDirection(), Qt::RightToLeft);
    source->SetActiveLanguage(kSvensk);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Testfenster"));
    EXPECT_EQ(form.QFormLocalizer1->AppliedFontCharSet(), DEFAULT_CHARSET);
    EXPECT_EQ(form.QFormLocalizer1->AppliedBiDiMode(), bdLeftToRight);
    EXPECT_EQ(form.layoutDirection(), Qt::LeftToRight);
    source->SetActiveLanguage(-1);
    expectDesignTexts(form);
}

TEST_F(FormLocalizerTest, DirectionAndCharacterSetFollowTheLanguage)
{
    TestForm form(source);
    source->SetActiveLanguage(kDeutsch);
    EXPECT_EQ(form.QFormLocalizer1->AppliedFontCharSet(), 161);
    EXPECT_EQ(form.QFormLocalizer1->AppliedBiDiMode(), bdRightToLeft);
    EXPECT_EQ(form.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(form.Label1->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(form.Filer1->layoutDirection(), Qt::RightToLeft) << "a menu is a window of its own";
    source->SetActiveLanguage(-1);
    EXPECT_EQ(form.QFormLocalizer1->AppliedFontCharSet(), DEFAULT_CHARSET);
    EXPECT_EQ(form.layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(form.Filer1->layoutDirection(), Qt::LeftToRight);
}

TEST_F(FormLocalizerTest, DestroyingTheSourceRestoresTheOriginals)
{
    TestForm form(source);
    source->SetActiveLanguage(kEnglish);
    delete source;
    source = nullptr;
    EXPECT_EQ(form.QFormLocalizer1->Source(), nullptr);
    expectDesignTexts(form);
}

TEST_F(FormLocalizerTest, AWindowGoingDownWithItsSourceIsLeftAlone)
{
    // Like the main window: it holds the source (created first, so destroyed first) and a
    // localizer; another window outlives it and gets its design texts back.
    auto main = std::make_unique<QWidget>();
    main->setObjectName(QStringLiteral("HovedForm"));
    delete source;
    source = new TQLanguageSource(main.get());
    source->SetBaseFolder(files.folder());
    source->SetLanguages(LanguageFiles::fourLanguages());
    source->Loaded();
    auto* mainLocalizer = new TQFormLocalizer(main.get());
    mainLocalizer->SetSource(source);
    auto* button = new QPushButton(QStringLiteral("Registrering"), main.get());
    button->setObjectName(QStringLiteral("SpeedButton1"));
    mainLocalizer->Loaded();
    QStringList touched;
    mainLocalizer->SetOnPropertyLocalizing([&touched](TQFormLocalizer&, QObject* obj, const QString&, QString&, bool&) {
        touched.append(obj->objectName());
    });
    TestForm other(source);
    source->SetActiveLanguage(kEnglish);
    EXPECT_EQ(button->text(), QStringLiteral("Registration"));
    EXPECT_EQ(other.windowTitle(), QStringLiteral("Test window"));
    touched.clear();
    main.reset();
    source = nullptr;
    EXPECT_TRUE(touched.isEmpty()) << "a window being destroyed is not restored";
    expectDesignTexts(other);
    EXPECT_EQ(other.QFormLocalizer1->Source(), nullptr);
}

TEST_F(FormLocalizerTest, ChangingTheSourceFollowsTheIndexes)
{
    TestForm form(source);
    source->SetActiveLanguage(kEnglish);
    form.QFormLocalizer1->SetSource(nullptr);
    expectDesignTexts(form);
    EXPECT_FALSE(source->Localizers().contains(form.QFormLocalizer1));
    form.QFormLocalizer1->SetSource(source);
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Save"));

    TQLanguageSource norsk;
    norsk.SetBaseFolder(files.folder());
    norsk.SetLanguages(LanguageFiles::fourLanguages());
    norsk.Loaded();
    norsk.SetActiveLanguage(kNorsk);
    form.QFormLocalizer1->SetSource(&norsk);
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Lagre"));
    EXPECT_FALSE(source->Localizers().contains(form.QFormLocalizer1));
    norsk.SetActiveLanguage(-1);
    expectDesignTexts(form);
    form.QFormLocalizer1->SetSource(nullptr);
}

TEST_F(FormLocalizerTest, ExcludedComponentsAndKeys)
{
    TestForm form(source);
    form.QFormLocalizer1->SetExcluded({"label1", "Button1.Caption"});
    source->SetActiveLanguage(kEnglish);
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Gem")) << "an excluded key is not applied";
    EXPECT_EQ(form.Button1->toolTip(), QStringLiteral("Save the record"));
    for (const QString& line : form.QFormLocalizer1->Originals())
        EXPECT_FALSE(line.startsWith(QStringLiteral("Label1."))) << "an excluded component is not captured";
}

TEST_F(FormLocalizerTest, PropertyHooksMayChangeOrRefuseATranslation)
{
    TestForm form(source);
    QStringList localized;
    form.QFormLocalizer1->SetOnPropertyLocalizing(
        [](TQFormLocalizer&, QObject* obj, const QString& prop, QString& value, bool& allow) {
            if (obj->objectName() == QLatin1String("Button1") && prop == QLatin1String("Hint"))
                allow = false;
            if (obj->objectName() == QLatin1String("Label1"))
                value = value.toUpper();
        });
    form.QFormLocalizer1->SetOnPropertyLocalized(
        [&localized](TQFormLocalizer&, QObject* obj, const QString& prop, const QString&) {
            localized.append(obj->objectName() + u'.' + prop);
        });
    source->SetActiveLanguage(kEnglish);
    EXPECT_EQ(form.Button1->toolTip(), QStringLiteral("Gem posten"));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("TITLE:"));
    EXPECT_TRUE(localized.contains(QStringLiteral("Button1.Caption")));
    EXPECT_FALSE(localized.contains(QStringLiteral("Button1.Hint")));
}

TEST_F(FormLocalizerTest, PropNamesLimitWhatIsTranslatedAndRestored)
{
    TestForm form(source, {"Caption"});
    source->SetActiveLanguage(kEnglish);
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Save"));
    EXPECT_EQ(form.Button1->toolTip(), QStringLiteral("Gem posten"));
    EXPECT_EQ(form.RadioGroup1->items.size(), 3);
    // Restoring only some names keeps the other lines for later.
    form.QFormLocalizer1->RestoreOriginals({"Hint"});
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Save"));
    EXPECT_FALSE(form.QFormLocalizer1->Originals().isEmpty());
    source->SetActiveLanguage(-1);
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Gem"));
    EXPECT_TRUE(form.QFormLocalizer1->Originals().isEmpty());
}

TEST_F(FormLocalizerTest, SavingWritesTheWindowsTextsIntoTheActiveFile)
{
    TestForm form(source);
    form.QFormLocalizer1->Save(); // the original language has no file: nothing written
    source->SetActiveLanguage(kSvensk);
    form.QFormLocalizer1->Save();
    TQLanguageFile svensk(files.path("Svensk.lng"));
    EXPECT_EQ(svensk.readString("TestForm", "Caption", "def"), QStringLiteral("Testvindue"));
    EXPECT_EQ(svensk.readString("TestForm", "RadioGroup1.Items", "def"),
              QStringLiteral("Original,Kopi,\"Privat optagelse\""));
    EXPECT_FALSE(svensk.rawValue("TestForm", "Button2.Hint")) << "blank texts are not saved";

    // Saved over the English file, the section keeps its odd keys unless cleared first.
    source->SetActiveLanguage(kEnglish);
    form.QFormLocalizer1->Save();
    EXPECT_TRUE(TQLanguageFile(files.path("English.lng")).rawValue("TestForm", "Button1.Text"));
    form.QFormLocalizer1->SetClearBeforeSave(true);
    form.QFormLocalizer1->Save();
    const TQLanguageFile english(files.path("English.lng"));
    EXPECT_FALSE(english.rawValue("TestForm", "Button1.Text"));
    EXPECT_EQ(english.readString("TestForm", "Button1.Caption", "def"), QStringLiteral("Save"));
    EXPECT_EQ(english.readString("HovedForm", "SpeedButton1.Caption", "def"), QStringLiteral("Registration"));
}

} // namespace
