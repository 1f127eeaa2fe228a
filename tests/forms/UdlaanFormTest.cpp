// The loans window: narrowed to the current tape, "Vis alle", new loans, the texts per
// language name, and the registration window's filter after it closes.
#include "RegFixture.h"

#include "dbctrls/DBGrid.h"
#include "dbctrls/DBNavigator.h"
#include "dbctrls/DBText.h"
#include "engine/Field.h"
#include "engine/Statement.h"
#include "engine/Table.h"
#include "forms/UdlaanForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using namespace regtest;

namespace {

class Loans : public RegFixture {
protected:
    void SetUp() override
    {
        RegFixture::SetUp();
        addTape(QStringLiteral("0001-00"), QStringLiteral("Lånt ud"), {{"Udlaan", QStringLiteral("Ja")}});
        addTape(QStringLiteral("0002-00"), QStringLiteral("Også lånt ud"), {{"Udlaan", QStringLiteral("Ja")}});
        addTape(QStringLiteral("0003-00"), QStringLiteral("Aldrig lånt ud"));
        addLoan(QStringLiteral("0001-00"), QStringLiteral("Anna"));
        addLoan(QStringLiteral("0001-00"), QStringLiteral("Bent"));
        addLoan(QStringLiteral("0002-00"), QStringLiteral("Carl"));
    }
    std::unique_ptr<forms::TUdlaanForm> openLoans()
    {
        auto loans = std::make_unique<forms::TUdlaanForm>();
        loans->show();
        loans->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(loans.get()));
        return loans;
    }
    /// Types into whichever control has the focus at each key, as a keyboard does.
    static void typeIntoFocus(const QString& keys)
    {
        for (const QChar c : keys) {
            QWidget* target = QApplication::focusWidget();
            if (c == QLatin1Char('\t'))
                QTest::keyClick(target, Qt::Key_Tab);
            else if (c == QLatin1Char('\n'))
                QTest::keyClick(target, Qt::Key_Return);
            else
                QTest::keyClicks(target, QString(c));
        }
    }
    static void clickCell(dbctrls::TDBGrid& grid, int row, int column)
    {
        const QRect cell = grid.visualRect(grid.model()->index(row, column));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    }
    /// Every loan as the file holds it: tape number, name, and returned text and date when set.
    QStringList storedLoans()
    {
        engine::Statement read(dm->database(), QStringLiteral("SELECT Tapenr, Navn, Returneret, ReturDato, Dato "
                                                              "FROM Udlaan.Udlaan ORDER BY rowid"));
        QStringList rows;
        while (read.step()) {
            QStringList parts;
            for (int i = 0; i < 5; ++i)
                if (!read.text(i).isEmpty())
                    parts << read.text(i);
            rows << parts.join(QLatin1Char(' '));
        }
        return rows;
    }
    QString storedFlag(const QString& tapeNr)
    {
        return dm->database().scalar(QStringLiteral("SELECT Udlaan FROM Video.Video WHERE TapeNr = ?1"), {tapeNr}).toString();
    }
};

} // namespace

TEST_F(Loans, ShowsTheCurrentTapesLoansAndVisAlleShowsAll)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00"));
    auto loans = openLoans();
    EXPECT_EQ(loans->DBText2->text(), QStringLiteral("Lånt ud"));
    EXPECT_EQ(column(*dm->UdlaanTable, "Navn"), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bent")}));
    EXPECT_EQ(loans->DBGrid2->model()->rowCount(), 2);
    QTest::mouseClick(loans->SpeedButton5, Qt::LeftButton);
    EXPECT_EQ(loans->DBGrid2->model()->rowCount(), 3);
    EXPECT_EQ(dm->UdlaanTable->Filter(), QStringLiteral("Tapenr = '0001-00'")) << "the filter text stays";
    loans.reset();
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0002-00"));
    loans = openLoans();
    EXPECT_EQ(column(*dm->UdlaanTable, "Navn"), QStringList{QStringLiteral("Carl")}) << "narrowed again on showing";
}

TEST_F(Loans, ANewLoanCarriesTheTapeNumber)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0003-00"));
    auto loans = openLoans();
    EXPECT_EQ(loans->DBGrid2->model()->rowCount(), 0);
    loans->DBNavigator3->click(dbctrls::TDBNavigator::Button::Insert);
    dm->UdlaanTable->FieldByName(QStringLiteral("Navn")).SetAsString(QStringLiteral("Dorte"));
    loans->DBNavigator3->click(dbctrls::TDBNavigator::Button::Post);
    EXPECT_EQ(column(*dm->UdlaanTable, "Tapenr"), QStringList{QStringLiteral("0003-00")});
    EXPECT_EQ(column(*dm->UdlaanTable, "Navn"), QStringList{QStringLiteral("Dorte")});
}

TEST_F(Loans, AScanInTheScanFieldStartsANewLoanOfThatTape)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00"));
    auto loans = openLoans();
    loans->ScanEdit->setFocus();
    QTest::keyClicks(loans->ScanEdit, QStringLiteral("0003-00"));
    QTest::keyClick(loans->ScanEdit, Qt::Key_Return);
    EXPECT_EQ(loans->DBText2->text(), QStringLiteral("Aldrig lånt ud"));
    EXPECT_EQ(loans->DBGrid2->currentIndex().column(), 2) << "on the borrower's name";
    typeIntoFocus(QStringLiteral("Karen\n"));
    QApplication::processEvents(); // the editor commits through a queued call
    EXPECT_FALSE(dm->UdlaanTable->Editing()) << "Enter stores the loan";
    EXPECT_EQ(storedLoans(), (QStringList{QStringLiteral("0001-00 Anna"), QStringLiteral("0001-00 Bent"),
                                          QStringLiteral("0002-00 Carl"), QStringLiteral("0003-00 Karen")}));
}

TEST_F(Loans, AClickOnAnotherRowDropsAnUntouchedNewLoanAndTypingGoesToTheClickedCell)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00"));
    auto loans = openLoans();
    loans->DBNavigator3->click(dbctrls::TDBNavigator::Button::Insert);
    const QAbstractItemModel& shown = *loans->DBGrid2->model();
    ASSERT_EQ(shown.rowCount(), 3);
    int bent = 0;
    while (shown.index(bent, 2).data().toString() != QStringLiteral("Bent"))
        ++bent;
    clickCell(*loans->DBGrid2, bent, 2);
    typeIntoFocus(QStringLiteral("Hurtig Hans"));
    loans->DBNavigator3->click(dbctrls::TDBNavigator::Button::Post);
    EXPECT_EQ(storedLoans(), (QStringList{QStringLiteral("0001-00 Anna"), QStringLiteral("0001-00 Hurtig Hans"),
                                          QStringLiteral("0002-00 Carl")}));
}

TEST_F(Loans, ANewLoanStartsInItsDateAndTabWalksTheRowWhileEditing)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0003-00"));
    auto loans = openLoans();
    loans->DBGrid2->setFocus();
    QTest::keyClick(loans->DBGrid2, Qt::Key_Insert);
    EXPECT_EQ(loans->DBGrid2->currentIndex().column(), 1) << "the Dato column";
    typeIntoFocus(QStringLiteral("01-12-2025\tKaren Hansen\t"));
    EXPECT_EQ(loans->DBGrid2->currentIndex().column(), 3) << "on Telefon, still in the grid";
    typeIntoFocus(QStringLiteral("\t\t\t\t"));
    EXPECT_FALSE(loans->DBGrid2->isAncestorOf(QApplication::focusWidget())) << "past the last cell Tab leaves";
    loans->close();
    EXPECT_EQ(storedLoans().last(), QStringLiteral("0003-00 Karen Hansen 2025-12-01"));
}

TEST_F(Loans, ALoanIsNeverStoredUnderANumberNoTapeHas)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0002-00"));
    auto loans = openLoans();
    clickCell(*loans->DBGrid2, 0, 0);
    typeIntoFocus(QStringLiteral("9999-99\n"));
    loans->DBNavigator3->click(dbctrls::TDBNavigator::Button::Post);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral("Intet bånd i kataloget har nummeret \"9999-99\". "
                                                       "Ret båndnummeret, eller fortryd med Esc.")});
    EXPECT_EQ(text(*dm->UdlaanTable, "Tapenr"), QStringLiteral("9999-99")) << "kept for correcting";
    dialogs().confirmAnswers = {false, true};
    loans->close();
    EXPECT_TRUE(loans->isVisible()) << "No: the window stays with the typed value";
    loans->close();
    EXPECT_FALSE(loans->isVisible());
    EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")).size(), 2);
    EXPECT_EQ(storedLoans(), (QStringList{QStringLiteral("0001-00 Anna"), QStringLiteral("0001-00 Bent"),
                                          QStringLiteral("0002-00 Carl")}));
}

namespace {

struct CloseWay {
    const char* name;
    std::function<void(QDialog&)> close;
};

class LoansClosed : public Loans, public ::testing::WithParamInterface<CloseWay> {};

} // namespace

TEST_P(LoansClosed, ATypedReturnIsStoredAtTheFirstCloseRequest)
{
    dm->Today = [] { return QDate(2026, 12, 10); };
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0002-00"));
    auto loans = openLoans();
    clickCell(*loans->DBGrid2, 0, 4);
    typeIntoFocus(QStringLiteral("Ja"));
    ASSERT_TRUE(loans->DBGrid2->cellEditorOpen());
    GetParam().close(*loans);
    EXPECT_FALSE(loans->isVisible());
    EXPECT_EQ(storedLoans().last(), QStringLiteral("0002-00 Carl Ja 2026-12-10"));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, LoansClosed,
    ::testing::Values(CloseWay{"CloseBox", [](QDialog& window) { window.close(); }},
                      CloseWay{"EscapeElsewhere",
                               [](QDialog& window) {
                                   auto* loans = static_cast<forms::TUdlaanForm*>(&window);
                                   loans->ScanEdit->setFocus();
                                   QTest::keyClick(loans->ScanEdit, Qt::Key_Escape);
                               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Loans, TheTapesLentFlagFollowsItsOpenLoans)
{
    struct Step {
        const char* what;
        std::function<void(engine::Table&)> act;
        const char* flag0001;
        const char* flag0003;
    };
    const auto returnRow = [](int row) {
        return [row](engine::Table& loans) {
            loans.MoveToRow(row);
            loans.Edit();
            loans.FieldByName(QStringLiteral("Returneret")).SetAsString(QStringLiteral("Ja"));
            loans.Post();
        };
    };
    const Step steps[] = {
        {"a new loan of 0003-00", [](engine::Table& loans) {
             loans.Insert();
             loans.FieldByName(QStringLiteral("Tapenr")).SetAsString(QStringLiteral("0003-00"));
             loans.FieldByName(QStringLiteral("Navn")).SetAsString(QStringLiteral("Dorte"));
             loans.Post();
         }, "Ja", "Ja"},
        {"Anna returns", returnRow(0), "Ja", "Ja"},
        {"Bent returns", returnRow(1), "Nej", "Ja"},
        {"Dorte's loan deleted", [](engine::Table& loans) {
             loans.MoveToRow(3);
             loans.Delete();
         }, "Nej", "Nej"},
    };
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00"));
    dm->UdlaanTable->SetFiltered(false);
    for (const Step& step : steps) {
        step.act(*dm->UdlaanTable);
        EXPECT_EQ(text(*dm->VideoTable, "Udlaan"), QString::fromLatin1(step.flag0001)) << step.what << ": the shown tape";
        EXPECT_EQ(storedFlag(QStringLiteral("0003-00")), QString::fromLatin1(step.flag0003)) << step.what;
    }
}

TEST_F(Loans, UdlaantTilOpensTheLoansAndLeavesThemNarrowed)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00"));
    showRegForm();
    ASSERT_TRUE(form->SpeedButton4->isEnabled());
    form->DBEdit3->setFocus();
    QTest::keyClicks(form->DBEdit3, QStringLiteral(" igen"));
    int rows = -1;
    whenModalShows([&](QWidget* window) {
        auto* loans = qobject_cast<forms::TUdlaanForm*>(window);
        ASSERT_NE(loans, nullptr);
        rows = loans->DBGrid2->model()->rowCount();
        QTest::mouseClick(loans->SpeedButton5, Qt::LeftButton);
        window->close();
    });
    QTest::mouseClick(form->SpeedButton4, Qt::LeftButton);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(text(*dm->VideoTable, "Titel"), QStringLiteral("Lånt ud igen")) << "posted before the loans";
    EXPECT_FALSE(dm->VideoTable->Editing());
    EXPECT_TRUE(dm->UdlaanTable->Filtered());
    EXPECT_EQ(dm->UdlaanTable->Filter(), QStringLiteral("TapeNr = '0001-00'"));
    EXPECT_EQ(column(*dm->UdlaanTable, "Navn"), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bent")}));
}

TEST_F(Loans, ARefusedPostOpensNoLoansWindow)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0002-00"));
    showRegForm();
    form->DBEdit1->setFocus();
    form->DBEdit1->selectAll();
    QTest::keyClicks(form->DBEdit1, QStringLiteral("0001-00"));
    QTest::mouseClick(form->SpeedButton4, Qt::LeftButton);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral("Key violation.")});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    dm->VideoTable->Cancel();
}

namespace {

struct LoanTextCase {
    const char* label;
    const char* caption;
    const char* button;
    std::vector<const char*> titles;
    const char* hints;  ///< the nine navigator hints, First to Cancel, comma-separated
};

const LoanTextCase kLoanTextCases[] = {
    {"Dansk", "Udlån", "Vis alle", {"Båndnr.", "Dato", "Navn", "Telefon", "Returneret"},
     "Første,Forrige,Næste,Sidste,Tilføj,Slet,Ret,Gem,Fortryd"},
    {"Norsk", "Udlån", "Vis alle", {"Båndnr.", "Dato", "Navn", "Telefon", "Returnert"},
     "Første,Forrige,Neste,Siste,Tilføy,Fjern,Ret,Gem,Fortryd"},
    {"Svensk", "Udlån", "Vis alle", {"Båndnr.", "Dato", "Navn", "Telefon", "Återlämnad"},
     "Första,Förre,Nästa,Sidsta,Lägg till,Slet,Ret,Spare,Fortryd"},
    {"English", "Borrowed", "Show all", {"Tape no.", "Date", "Name", "Telephone", "Returned"},
     "First,Prior,Next,Last,Add,Erase,Edit,Save,Cancel"},
    {"Deutsch", "Verliehene", "Alle anzeigen", {"Bandnummer", "Datum", "Nahme", "Telefon", "Zurückgegeben"},
     "Erste,Vorige,Nächste,Letzte,Hinzufügen,Löeschen,Redigieren,Spechern,Bereuen"},
};

class LoanTexts : public Loans, public ::testing::WithParamInterface<std::pair<int, LoanTextCase>> {};

std::vector<std::pair<int, LoanTextCase>> loanTextCases()
{
    // Each name with its language active, as the main window keeps them.
    const int languageOf[] = {-1, 1, 2, 0, 3};
    std::vector<std::pair<int, LoanTextCase>> cases;
    for (size_t i = 0; i < std::size(kLoanTextCases); ++i)
        cases.emplace_back(languageOf[i], kLoanTextCases[i]);
    return cases;
}

} // namespace

TEST_P(LoanTexts, TextsFollowTheLanguageName)
{
    const auto& [language, expected] = GetParam();
    useLanguage(language);
    auto loans = openLoans();
    using B = dbctrls::TDBNavigator::Button;
    EXPECT_EQ(loans->windowTitle(), QString::fromUtf8(expected.caption));
    EXPECT_EQ(loans->SpeedButton5->text(), QString::fromUtf8(expected.button));
    QStringList titles;
    for (const char* title : expected.titles)
        titles << QString::fromUtf8(title);
    // The due and return dates follow the five designed columns.
    EXPECT_EQ(loans->DBGrid2->columnTitles().mid(0, titles.size()), titles);
    const QStringList hints = QString::fromUtf8(expected.hints).split(QLatin1Char(','));
    ASSERT_EQ(hints.size(), 9);
    const B buttons[] = {B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete, B::Edit, B::Post, B::Cancel};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(loans->DBNavigator3->buttonHint(buttons[i]), hints.at(i)) << "button " << i;
}

INSTANTIATE_TEST_SUITE_P(Names, LoanTexts, ::testing::ValuesIn(loanTextCases()),
                         [](const auto& info) { return std::string(info.param.second.label); });

TEST_F(Loans, AnUnknownLanguageNameChangesNothing)
{
    useLanguage(0);
    setLanguageLabel(QStringLiteral("Klingon"));
    auto loans = openLoans();
    EXPECT_EQ(loans->windowTitle(), QStringLiteral("Borrowed")) << "as the language file has it";
    EXPECT_EQ(loans->SpeedButton5->text(), QStringLiteral("&Show all"));
    EXPECT_EQ(loans->DBNavigator3->buttonHint(dbctrls::TDBNavigator::Button::Insert), QStringLiteral("Nyt udlån"));
    useLanguage(-1);
    EXPECT_EQ(loans->windowTitle(), QStringLiteral("Udlån"));
    EXPECT_EQ(loans->SpeedButton5->text(), QStringLiteral("&Vis alle"));
}

TEST(UdlaanTexts, NamesAreComparedExactly)
{
    EXPECT_NE(forms::udlaanTextsFor(QStringLiteral("Deutsch")), nullptr);
    EXPECT_EQ(forms::udlaanTextsFor(QStringLiteral("deutsch")), nullptr);
    EXPECT_EQ(forms::udlaanTextsFor(QStringLiteral("Deutsch ")), nullptr);
    EXPECT_EQ(forms::udlaanTextsFor(QString()), nullptr);
}

TEST_F(Loans, TheNavigatorDeletesALoanOnlyAfterItsQuestion)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00"));
    auto loans = openLoans();
    for (const bool answer : {false, true}) {
        dialogs().clear();
        dialogs().confirmAnswers = {answer};
        loans->DBNavigator3->click(dbctrls::TDBNavigator::Button::Delete);
        EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")).size(), 1);
        EXPECT_EQ(loans->DBGrid2->model()->rowCount(), answer ? 1 : 2);
    }
    EXPECT_EQ(column(*dm->UdlaanTable, "Navn"), QStringList{QStringLiteral("Bent")});
    EXPECT_FALSE(loans->DBGrid2->isReadOnly()) << "loans can be edited in the grid";
}

TEST_F(Loans, AltVShowsAllLoans)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00"));
    setLanguageLabel(QStringLiteral("Klingon"));
    auto loans = openLoans();
    loans->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(loans.get()));
    ASSERT_EQ(loans->SpeedButton5->text(), QStringLiteral("&Vis alle"));
    QTest::keyClick(loans.get(), Qt::Key_V, Qt::AltModifier);
    // A shortcut presses the button visibly, so the click comes a moment later.
    EXPECT_TRUE(QTest::qWaitFor([] { return !data::DM->UdlaanTable->Filtered(); }, 2000));
    EXPECT_EQ(loans->DBGrid2->model()->rowCount(), 3);
}

TEST_F(Loans, ALoanLeftUnsavedInTheLoansWindowIsStoredWhenTheTapeIsNarrowedAgain)
{
    dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00"));
    showRegForm();
    ASSERT_TRUE(form->SpeedButton4->isEnabled());
    whenModalShows([&](QWidget* window) {
        auto* loans = qobject_cast<forms::TUdlaanForm*>(window);
        ASSERT_NE(loans, nullptr);
        loans->DBNavigator3->click(dbctrls::TDBNavigator::Button::Insert);
        dm->UdlaanTable->FieldByName(QStringLiteral("Navn")).SetAsString(QStringLiteral("Dorte"));
        window->close();
    });
    QTest::mouseClick(form->SpeedButton4, Qt::LeftButton);
    EXPECT_FALSE(dm->UdlaanTable->Editing());
    QStringList names = column(*dm->UdlaanTable, "Navn");
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Anna"), QStringLiteral("Bent"), QStringLiteral("Dorte")}));
    EXPECT_EQ(column(*dm->UdlaanTable, "Tapenr").count(QStringLiteral("0001-00")), 3);
}
