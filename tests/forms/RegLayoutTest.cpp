// Every designed text fits its control in all five languages (the registration window also at
// 0.8 and 1.5 times its design size), the language files translate every designed text of the
// three windows, and the stored values of the radio group stay the same in every language.
#include "RegFixture.h"

#include "common/LayoutCheck.h"
#include "dbctrls/DBEdit.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBRadioGroup.h"
#include "forms/BilledForm.h"
#include "forms/EtiketForm.h"
#include "forms/UdlaanForm.h"
#include "engine/Field.h"
#include "engine/Table.h"
#include "locale/LanguageCoverage.h"

#include <QCoreApplication>
#include <QScreen>
#include <QTest>
#include <QLabel>
#include <QToolButton>

using namespace regtest;

namespace {

class Layout : public RegFixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        RegFixture::SetUp();
        addTape(QStringLiteral("0001-00"), QStringLiteral("Den lange rejse hjem"), {{"Kopi", QStringLiteral("Privat")}});
        useLanguage(GetParam());
    }
};

QString describe(const QStringList& problems)
{
    return problems.join(QLatin1Char('\n'));
}

} // namespace

TEST_P(Layout, RegFormTextsFitAtThreeSizes)
{
    showRegForm();
    for (const double factor : {1.0, 0.8, 1.5}) {
        form->resize(int(forms::TRegForm::kDesignWidth * factor), int(forms::TRegForm::kDesignHeight * factor));
        QCoreApplication::processEvents();
        const QStringList problems = testing_support::textsThatDoNotFit(form.get());
        EXPECT_TRUE(problems.isEmpty()) << "at " << factor << ":\n" << describe(problems).toStdString();
        // The place and EAN strip above the tape grid: no two of its controls share a pixel.
        const QList<QWidget*> strip = {form->Label30, form->DBEdit11, form->SpeedButton9, form->Label31, form->DBEdit12,
                                       form->DBGrid1};
        for (int i = 0; i < strip.size(); ++i)
            for (int j = i + 1; j < strip.size(); ++j)
                EXPECT_FALSE(strip[i]->geometry().intersects(strip[j]->geometry()))
                    << strip[i]->objectName().toStdString() << " / " << strip[j]->objectName().toStdString() << " at " << factor;
    }
}

TEST_P(Layout, RegFormTextsFitAfterASwitchOfLanguage)
{
    useLanguage(-1);
    regForm();
    useLanguage(GetParam());
    EXPECT_TRUE(testing_support::textsThatDoNotFit(form.get()).isEmpty())
        << describe(testing_support::textsThatDoNotFit(form.get())).toStdString();
    EXPECT_EQ(form->DBRadioGroup1->values(),
              (QStringList{QStringLiteral("Original"), QStringLiteral("Kopi"), QStringLiteral("Privat")}));
    EXPECT_EQ(form->DBRadioGroup1->itemIndex(), 2);
}

TEST_P(Layout, LoansAndPictureWindowTextsFit)
{
    forms::TUdlaanForm loans;
    loans.show();
    EXPECT_TRUE(testing_support::textsThatDoNotFit(&loans).isEmpty())
        << describe(testing_support::textsThatDoNotFit(&loans)).toStdString();
    forms::TBilledForm picture;
    EXPECT_TRUE(testing_support::textsThatDoNotFit(&picture).isEmpty());
    forms::TEtiketForm labels;
    labels.show();
    EXPECT_TRUE(testing_support::textsThatDoNotFit(&labels).isEmpty())
        << describe(testing_support::textsThatDoNotFit(&labels)).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, Layout, ::testing::Values(-1, 0, 1, 2, 3),
                         [](const auto& info) { return "Language" + std::to_string(info.param + 1); });

class Coverage : public RegFixture, public ::testing::WithParamInterface<const char*> {
protected:
    QString file() const { return testing_support::builtProgramDir() + QLatin1Char('/') + QLatin1String(GetParam()); }
    void expectComplete(QWidget* window, const QStringList& propNames)
    {
        const auto report = locale::LanguageCoverage::CheckFile(window, propNames, file());
        EXPECT_TRUE(report.complete()) << GetParam() << " " << window->objectName().toStdString() << ":\n"
                                       << report.describe().toStdString();
    }
};

TEST_P(Coverage, EveryDesignedTextIsTranslated)
{
    expectComplete(&regForm(), forms::TRegForm::propNames());
    forms::TUdlaanForm loans;
    expectComplete(&loans, forms::TUdlaanForm::propNames());
    forms::TBilledForm picture;
    expectComplete(&picture, forms::TBilledForm::propNames());
    forms::TEtiketForm labels;
    expectComplete(&labels, forms::TEtiketForm::propNames());
}

INSTANTIATE_TEST_SUITE_P(Files, Coverage, ::testing::Values("English.lng", "Norsk.lng", "Svensk.lng", "Deutsch.lng"),
                         [](const auto& info) { return std::string(info.param).substr(0, 5); });

TEST_F(RegFixture, LanguageSwitchesLeaveTheLookupListsAlone)
{
    for (const char* type : {"VHS", "DVD"}) {
        dm->TypeTable->Insert();
        dm->TypeTable->FieldByName(QStringLiteral("Type")).SetAsString(QString::fromLatin1(type));
        dm->TypeTable->Post();
    }
    regForm();
    useLanguage(0);
    // The list grows while a language is active; going back must neither write into it nor
    // try to shrink it to the rows it had.
    dm->TypeTable->Insert();
    dm->TypeTable->FieldByName(QStringLiteral("Type")).SetAsString(QStringLiteral("Betamax"));
    dm->TypeTable->Post();
    useLanguage(-1);
    ASSERT_EQ(form->DBLookupComboBox4->count(), 3);
    EXPECT_EQ(form->DBLookupComboBox4->itemText(0), QStringLiteral("Betamax"));
    EXPECT_EQ(form->Label19->text(), QStringLiteral("Type"));
}

TEST_F(RegFixture, TheMinimumSizeIsTheSmallestAtWhichNothingClips)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Den lange rejse hjem"), {{"Kopi", QStringLiteral("Privat")}});
    showRegForm();
    const auto regFormIn = [this](int language) {
        useLanguage(language);
        return static_cast<QWidget*>(form.get());
    };
    EXPECT_EQ(testing_support::minimumSizeFaults(regFormIn, {forms::TRegForm::kDesignWidth, forms::TRegForm::kDesignHeight},
                                                 {forms::TRegForm::kMinimumWidth, forms::TRegForm::kMinimumHeight}),
              QStringList());
    form->hide();
    form->show(); // a second showing, moved into a corner as a window manager may do: centred again
    form->move(1, 20);
    QTest::qWait(20);
    EXPECT_LE((form->frameGeometry().center() - form->screen()->availableGeometry().center()).manhattanLength(), 2);
}
