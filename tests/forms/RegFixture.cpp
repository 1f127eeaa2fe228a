#include "RegFixture.h"

#include "TestLanguages.h"

#include "engine/Field.h"
#include "engine/Table.h"
#include "forms/AppContext.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace regtest {

void RegFixture::SetUp()
{
    CatalogueTest::SetUp();
    languages = testing_support::makeLanguageSource(folder->path());
    testing_support::useLanguageSource(languages.get(), &labelOverride);
}

void RegFixture::TearDown()
{
    expectNoErrorsLeft();
    form.reset();
    forms::appContext().languageSource = nullptr;
    forms::appContext().languageLabel = nullptr;
    languages.reset();
    CatalogueTest::TearDown();
}

void RegFixture::useLanguage(int index)
{
    languages->SetActiveLanguage(index);
}

void RegFixture::setLanguageLabel(const QString& name)
{
    labelOverride = name;
}

forms::TRegForm& RegFixture::regForm()
{
    if (!form)
        form = std::make_unique<forms::TRegForm>();
    return *form;
}

void RegFixture::showRegForm()
{
    regForm().show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
}

void RegFixture::typeNewTape(const QString& tapeNr, const QString& title)
{
    QTest::mouseClick(form->SpeedButton3, Qt::LeftButton);
    form->DBEdit1->setFocus();
    form->DBEdit1->selectAll();
    QTest::keyClicks(form->DBEdit1, tapeNr);
    form->DBEdit3->setFocus();
    QTest::keyClicks(form->DBEdit3, title);
}

void RegFixture::addLoan(const QString& tapeNr, const QString& name)
{
    ASSERT_TRUE(dm->VideoTable->Locate(QStringLiteral("TapeNr"), tapeNr));
    engine::Table& loans = *dm->UdlaanTable;
    loans.Insert();
    loans.FieldByName(QStringLiteral("Navn")).SetAsString(name);
    loans.Post();
}

QStringList RegFixture::column(engine::Table& table, const char* field)
{
    QStringList values;
    for (int row = 0; row < table.RowCount(); ++row)
        values << table.DisplayText(row, table.FieldByName(QString::fromLatin1(field)).Index());
    return values;
}

QString RegFixture::text(engine::Table& table, const char* field)
{
    return table.FieldByName(QString::fromLatin1(field)).AsString();
}

QStringList RegFixture::allCast(const char* field)
{
    dm->MedvirkAllTable->Close();
    dm->MedvirkAllTable->Open();
    return column(*dm->MedvirkAllTable, field);
}

void RegFixture::writeJpeg(const QString& path, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "JPG")) << path.toStdString();
}

QString RegFixture::picturesDir() const
{
    return folder->file(QStringLiteral("Billeder"));
}

void RegFixture::whenModalShows(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, ticks] {
        QWidget* modal = QApplication::activeModalWidget();
        if (++*ticks > 2000) {
            ADD_FAILURE() << "no modal window showed";
            timer->stop();
            timer->deleteLater();
            return;
        }
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

} // namespace regtest
