#include "BrowseFixture.h"

#include "TestLanguages.h"

#include "forms/AppContext.h"
#include "locale/TQLanguageSource.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace browsetest {

void BrowseTest::SetUp()
{
    CatalogueTest::SetUp();
    forms::appContext() = forms::AppContext();
}

void BrowseTest::TearDown()
{
    expectNoErrorsLeft();
    forms::appContext() = forms::AppContext();
    CatalogueTest::TearDown();
    languages.reset();
}

void BrowseTest::addCast(const QString& tapeNr, const QString& actor, const QString& role)
{
    ASSERT_TRUE(video().Locate(QStringLiteral("TapeNr"), tapeNr));
    testing_support::addCast(*dm, actor, role);
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

void BrowseTest::useLanguage(int index)
{
    if (!languages)
        languages = testing_support::makeLanguageSource(testing_support::builtProgramDir());
    languages->SetActiveLanguage(index);
    testing_support::useLanguageSource(languages.get());
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
