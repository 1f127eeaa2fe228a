#include "BrowseFixture.h"

#include "core/Dialogs.h"
#include "forms/AppContext.h"
#include "locale/TQLanguageSource.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace browsetest {

void BrowseTest::SetUp()
{
    folder = std::make_unique<testing_support::TempProgramFolder>();
    folder->install();
    dm = std::make_unique<data::TDM>(folder->dataDir());
    data::DM = dm.get();
    dm->OpenTables();
    dialogs().clear();
    dialogs().confirmAnswers.clear();
    forms::appContext() = forms::AppContext();
}

void BrowseTest::TearDown()
{
    EXPECT_TRUE(takeErrors().isEmpty()) << "unexpected error boxes";
    forms::appContext() = forms::AppContext();
    dm.reset();
    data::DM = nullptr;
    languages.reset();
    folder.reset();
}

void BrowseTest::addTape(const QString& tapeNr, const QString& title,
                         std::initializer_list<std::pair<const char*, QString>> fields)
{
    engine::Table& table = video();
    table.Insert();
    table.FieldByName(QStringLiteral("TapeNr")).SetAsString(tapeNr);
    table.FieldByName(QStringLiteral("Titel")).SetAsString(title);
    table.FieldByName(QStringLiteral("Udlaan")).SetAsString(QStringLiteral("Nej"));
    for (const auto& [field, value] : fields)
        table.FieldByName(QString::fromLatin1(field)).SetAsString(value);
    table.Post();
}

void BrowseTest::addCast(const QString& tapeNr, const QString& actor, const QString& role)
{
    ASSERT_TRUE(video().Locate(QStringLiteral("TapeNr"), tapeNr));
    engine::Table& cast = *dm->MedvirkTable;
    cast.Insert();
    cast.FieldByName(QStringLiteral("Skuespiller")).SetAsString(actor);
    cast.FieldByName(QStringLiteral("Rolle")).SetAsString(role);
    cast.Post();
}

void BrowseTest::fillTapes(int count, const QString& description)
{
    dm->database().exec(QStringLiteral("INSERT INTO \"Video\".Video(TapeNr, Titel, Udlaan, Indhold) "
                                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                       "SELECT printf('%04d-00', i), 'Titel ' || i, 'Nej', '%2' FROM n")
                            .arg(count)
                            .arg(QString(description).replace(QLatin1Char('\''), QStringLiteral("''"))));
    video().Close();
    video().Open();
}

QString BrowseTest::currentTape()
{
    return video().FieldByName(QStringLiteral("TapeNr")).AsString();
}

QStringList BrowseTest::tapesShown()
{
    QStringList tapes;
    for (int row = 0; row < video().RowCount(); ++row)
        tapes << video().DisplayText(row, video().FieldByName(QStringLiteral("TapeNr")).Index());
    return tapes;
}

core::ScriptedDialogs& BrowseTest::dialogs()
{
    return static_cast<core::ScriptedDialogs&>(core::dialogs());
}

QStringList BrowseTest::takeErrors()
{
    const QStringList errors = dialogs().texts(QStringLiteral("error"));
    dialogs().clear();
    return errors;
}

void BrowseTest::useLanguage(int index)
{
    if (!languages) {
        languages = std::make_unique<locale::TQLanguageSource>();
        languages->SetBaseFolder(testing_support::builtProgramDir());
        languages->SetOriginalName(QStringLiteral("Dansk"));
        languages->SetLanguages({QStringLiteral("English=English.lng"), QStringLiteral("Norsk=Norsk.lng"),
                                 QStringLiteral("Svensk=Svensk.lng"), QStringLiteral("Deutsch=Deutsch.lng")});
        languages->Loaded();
    }
    languages->SetActiveLanguage(index);
    forms::appContext().languageSource = languages.get();
    locale::TQLanguageSource* source = languages.get();
    forms::appContext().languageLabel = [source] { return source->LanguageName(source->ActiveLanguage()); };
}

bool whileModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inspect)
{
    bool opened = false;
    QWidget* before = QApplication::activeModalWidget();
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == before)
            return;
        timer.stop();
        opened = true;
        inspect(modal);
        modal->close();
    });
    timer.start();
    action();
    return opened;
}

} // namespace browsetest
