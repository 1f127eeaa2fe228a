// The data grid and its model: columns and titles, following the table both ways, the
// refused post, in-place editing, the Insert and Delete keys, and reading on demand.
#include "ControlsFixture.h"
#include "core/Errors.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBGridModel.h"
#include "dbctrls/RecordActions.h"
#include "engine/Field.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace dbctrlstest;
using dbctrls::TDBGrid;
using dbctrls::TDBGridColumn;
using engine::DataSetState;

namespace {

const QStringList kOverviewFields = {"Tapenr", "Titel",    "Start",      "Slut",      "Varighed",
                                     "Type",   "Kopi",     "Laengde",    "Kategori",  "Udlaan",
                                     "Instruktor", "Optagetaf", "OptagetDato", "Fabrikat"};

class Grid : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        video = &open(QStringLiteral("Video.db"));
        for (int i = 1; i <= 5; ++i)
            addTape(QStringLiteral("000%1-00").arg(i), QStringLiteral("Titel %1").arg(i));
        video->First();
    }
    TDBGrid* tapeGrid()
    {
        auto* grid = new TDBGrid(window.get());
        grid->setColumns({{QStringLiteral("Tapenr"), QStringLiteral("Båndnr."), -1, {}},
                          {QStringLiteral("Titel"), QString(), 230, {}},
                          {QStringLiteral("Kopi"), QStringLiteral("Optagelse"), 76, {}}});
        grid->setDataSource(sourceOf(*video));
        grid->setGeometry(0, 0, 553, 218);
        return grid;
    }
    static QString cell(const TDBGrid& grid, int row, int column)
    {
        return grid.model()->index(row, column).data().toString();
    }
    void expectNoModelFailures(const WarningCollector& warnings)
    {
        EXPECT_TRUE(warnings.warnings().filter(QStringLiteral("FAIL")).isEmpty())
            << warnings.warnings().join('\n').toStdString();
    }

    engine::Table* video = nullptr;
};

TEST_F(Grid, ColumnsShowTheirFieldsWithDesignedOrDefaultTitlesAndWidths)
{
    TDBGrid* grid = tapeGrid();
    EXPECT_EQ(grid->model()->rowCount(), 5);
    EXPECT_EQ(grid->columnTitles(), (QStringList{QString::fromUtf8("Båndnr."), "Titel", "Optagelse"}));
    EXPECT_EQ(cell(*grid, 2, 0), QStringLiteral("0003-00"));
    EXPECT_EQ(cell(*grid, 2, 1), QStringLiteral("Titel 3"));
    EXPECT_EQ(grid->columnWidth(1), 230);
    EXPECT_EQ(grid->columnWidth(2), 76);
    EXPECT_GE(grid->columnWidth(0), 64);
}

TEST_F(Grid, WithoutDesignedColumnsEveryFieldIsAColumn)
{
    engine::Table& kat = open(QStringLiteral("Kategori.db"));
    addLookup(kat, QStringLiteral("Drama"));
    auto* grid = new TDBGrid(window.get());
    grid->setDataSource(sourceOf(kat));
    EXPECT_EQ(grid->columnTitles(), QStringList{"Kategori"});
    EXPECT_EQ(cell(*grid, 0, 0), QStringLiteral("Drama"));
}

struct TitleCase {
    int given;
    int changed;
};

class GridTitles : public Grid, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(GridTitles, TitlesFromALanguageChangeOnlyTheColumnsTheyReach)
{
    const TitleCase c = GetParam();
    auto* grid = new TDBGrid(window.get());
    std::vector<TDBGridColumn> columns;
    for (const QString& field : kOverviewFields)
        columns.push_back({field, QString(), -1, {}});
    grid->setColumns(columns);
    grid->setDataSource(sourceOf(*video));
    QStringList titles;
    for (int i = 0; i < c.given; ++i)
        titles << QStringLiteral("T%1").arg(i);
    grid->setProperty("Columns", titles);
    const QStringList shown = grid->property("Columns").toStringList();
    ASSERT_EQ(shown.size(), 14);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(shown.at(i), i < c.changed ? titles.at(i) : video->FieldByName(kOverviewFields.at(i)).DisplayLabel())
            << c.given << " " << i;
}

INSTANTIATE_TEST_SUITE_P(Grid, GridTitles, ::testing::Values(TitleCase{5, 5}, TitleCase{15, 14}, TitleCase{0, 0}));

TEST_F(Grid, TheGridFollowsTheTableAndTheTableFollowsTheGrid)
{
    TDBGrid* grid = tapeGrid();
    EXPECT_EQ(grid->currentIndex().row(), 0);
    video->Next();
    video->Next();
    EXPECT_EQ(grid->currentIndex().row(), 2);
    video->Last();
    EXPECT_EQ(grid->currentIndex().row(), 4);
    grid->setCurrentIndex(grid->model()->index(1, 1));
    EXPECT_EQ(video->CurrentRow(), 1);
    EXPECT_EQ(text(*video, "TapeNr"), QStringLiteral("0002-00"));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(text(*video, "TapeNr"), QStringLiteral("0003-00"));
    EXPECT_EQ(grid->currentIndex().column(), 1);
}

TEST_F(Grid, WithoutTheFocusNoCellIsCurrentAndTheHighlightFollowsTheRecord)
{
    TDBGrid* grid = tapeGrid();
    auto* other = new QLineEdit(window.get());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(1, 1));
    other->setFocus();
    EXPECT_FALSE(grid->currentIndex().isValid()) << "a screen reader would read a current cell as focused";
    video->Next();
    const QModelIndexList selected = grid->selectionModel()->selectedIndexes();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.first(), grid->model()->index(2, 1));
    EXPECT_FALSE(grid->currentIndex().isValid());
    grid->setFocus();
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(2, 1)) << "current again with the focus";
}

TEST_F(Grid, EditingInPlaceStartsTheEditAndEnterPostsIt)
{
    TDBGrid* grid = tapeGrid();
    window->show();
    grid->setCurrentIndex(grid->model()->index(1, 1));
    QTest::keyClick(grid, 'N');
    EXPECT_TRUE(grid->cellEditorOpen());
    EXPECT_EQ(video->State(), DataSetState::Edit);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("y titel"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits through a queued call
    EXPECT_FALSE(grid->cellEditorOpen());
    EXPECT_EQ(text(*video, "Titel"), QStringLiteral("Ny titel"));
    EXPECT_EQ(cell(*grid, 1, 1), QStringLiteral("Ny titel"));
    EXPECT_EQ(video->State(), DataSetState::Browse);
    video->Close();
    video->Open();
    video->Next();
    EXPECT_EQ(text(*video, "Titel"), QStringLiteral("Ny titel"));
}

TEST_F(Grid, APostTakesTheTextOfAnOpenCellEditor)
{
    TDBGrid* grid = tapeGrid();
    window->show();
    grid->setCurrentIndex(grid->model()->index(2, 2));
    QTest::keyClick(grid, 'K');
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("opi"));
    video->Post();
    EXPECT_EQ(video->State(), DataSetState::Browse);
    video->First();
    video->Next();
    video->Next();
    EXPECT_EQ(text(*video, "Kopi"), QStringLiteral("Kopi"));
}

TEST_F(Grid, ACellNormalizerShapesTheTypedText)
{
    auto* grid = new TDBGrid(window.get());
    TDBGridColumn start{QStringLiteral("Start"), QString(), -1, {}};
    start.normalize = [](const QString& typed) { return typed == QLatin1String("0130") ? QStringLiteral("01:30") : typed; };
    grid->setColumns({start});
    grid->setDataSource(sourceOf(*video));
    EXPECT_TRUE(grid->model()->setData(grid->model()->index(0, 0), QStringLiteral("0130")));
    EXPECT_EQ(text(*video, "Start"), QStringLiteral("01:30"));
}

TEST_F(Grid, ARefusedPostMovesTheGridBackAndShowsTheMessage)
{
    TDBGrid* grid = tapeGrid();
    video->BeforePost = [](engine::Table&) { throw core::EDatabaseError(QStringLiteral("Titlen mangler")); };
    ASSERT_TRUE(grid->model()->setData(grid->model()->index(0, 1), QStringLiteral("Ændret")));
    EXPECT_EQ(video->State(), DataSetState::Edit);
    grid->setCurrentIndex(grid->model()->index(3, 1));
    EXPECT_EQ(takeErrors(), QStringList{"Titlen mangler"});
    EXPECT_EQ(video->CurrentRow(), 0);
    EXPECT_EQ(video->State(), DataSetState::Edit);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(text(*video, "Titel"), QString::fromUtf8("Ændret"));
}

TEST_F(Grid, TheInsertKeyAddsARowAtTheCursorAndEscapeDropsIt)
{
    TDBGrid* grid = tapeGrid();
    QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    WarningCollector warnings;
    video->Next();
    QTest::keyClick(grid, Qt::Key_Insert);
    EXPECT_EQ(video->State(), DataSetState::Insert);
    EXPECT_EQ(grid->model()->rowCount(), 6);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(cell(*grid, 1, 0), QString());
    EXPECT_EQ(cell(*grid, 2, 0), QStringLiteral("0002-00"));
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(video->State(), DataSetState::Browse);
    EXPECT_EQ(grid->model()->rowCount(), 5);
    EXPECT_EQ(cell(*grid, 1, 0), QStringLiteral("0002-00"));
    expectNoModelFailures(warnings);
}

TEST_F(Grid, TheDeleteKeyDeletesOnlyAfterOk)
{
    TDBGrid* grid = tapeGrid();
    video->Next();
    dialogs().confirmAnswers = {false};
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(video->RecordCount(), 5);
    dialogs().confirmAnswers = {true};
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(video->RecordCount(), 4);
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(cell(*grid, 1, 0), QStringLiteral("0003-00"));
    EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")), (QStringList{"Slet denne post?", "Slet denne post?"}));
    EXPECT_EQ(grid->currentIndex().row(), video->CurrentRow());
}

TEST_F(Grid, AReadOnlyGridNeitherEditsNorInsertsNorDeletes)
{
    TDBGrid* grid = tapeGrid();
    grid->setReadOnly(true);
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid->model()->setData(grid->model()->index(0, 1), QStringLiteral("x")));
    QTest::keyClick(grid, Qt::Key_Insert);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(video->State(), DataSetState::Browse);
    EXPECT_EQ(video->RecordCount(), 5);
    EXPECT_TRUE(dialogs().texts(QStringLiteral("confirm")).isEmpty());
}

TEST_F(Grid, AClickOnACellMovesTheTableBeforeItIsReported)
{
    TDBGrid* grid = tapeGrid();
    window->show();
    QString tapeAtClick;
    QObject::connect(grid, &TDBGrid::cellClicked, grid, [&](int) { tapeAtClick = text(*video, "TapeNr"); });
    QSignalSpy clicks(grid, &TDBGrid::cellClicked);
    const QRect cellRect = grid->visualRect(grid->model()->index(3, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellRect.center());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 1);
    EXPECT_EQ(tapeAtClick, QStringLiteral("0004-00"));
}

TEST_F(Grid, TheModelStaysConsistentThroughEditsMovesAndViewChanges)
{
    TDBGrid* grid = tapeGrid();
    QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    WarningCollector warnings;
    video->Last();
    video->Insert();
    setText(*video, "TapeNr", QStringLiteral("0000-00"));
    video->Post();
    EXPECT_EQ(cell(*grid, 0, 0), QStringLiteral("0000-00"));
    EXPECT_EQ(grid->currentIndex().row(), 0);
    video->Insert();
    video->Cancel();
    setText(*video, "Kopi", QStringLiteral("Kopi"));
    EXPECT_EQ(cell(*grid, 0, 2), QStringLiteral("Kopi"));
    video->Post();
    video->SetFilter(QStringLiteral("Kopi = 'Kopi'"));
    video->SetFiltered(true);
    EXPECT_EQ(grid->model()->rowCount(), 1);
    video->SetFiltered(false);
    video->SetIndexName(QStringLiteral("IndexTitel"));
    video->Delete();
    {
        engine::ControlsDisabled quiet(*video);
        video->First();
        video->Next();
    }
    EXPECT_EQ(grid->currentIndex().row(), 1);
    video->Close();
    EXPECT_EQ(grid->model()->rowCount(), 0);
    video->Open();
    EXPECT_EQ(grid->model()->rowCount(), 5);
    expectNoModelFailures(warnings);
}

TEST_F(Grid, AGridOverAHundredThousandRecordsReadsOnlyTheRowsItShows)
{
    fillTapes(100000);
    video->Close();
    video->Open();
    std::vector<TDBGridColumn> columns;
    for (const QString& field : kOverviewFields)
        columns.push_back({field, QString(), -1, {}});
    auto* grid = new TDBGrid(window.get());
    grid->setColumns(columns);
    grid->setDataSource(sourceOf(*video));
    grid->setGeometry(0, 0, 900, 400);
    window->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->model()->rowCount(), 100005);
    video->Last();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->currentIndex().row(), 100004);
    grid->setCurrentIndex(grid->model()->index(50000, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(video->CurrentRow(), 50000);
    EXPECT_EQ(text(*video, "TapeNr"), cell(*grid, 50000, 0));
    // A full read would be 1.4 million cells; the screen holds a few hundred.
    EXPECT_LT(grid->gridModel()->cellsRead(), 5000);
}

TEST_F(Grid, ARowThatCannotBeReadIsReportedOnceAfterThePaintNotInIt)
{
    fillTapes(600);
    video->Close();
    video->Open();
    auto* grid = new TDBGrid(window.get());
    grid->setColumns({{QStringLiteral("Tapenr"), QString(), -1, {}}, {QStringLiteral("Titel"), QString(), 230, {}}});
    grid->setDataSource(sourceOf(*video));
    grid->setGeometry(0, 0, 553, 218);
    window->show();
    QCoreApplication::processEvents();
    // Another program takes the table away; the rows further down were never read.
    engine::Database other(folder->dataDir());
    other.attach(QStringLiteral("Video.db"));
    other.exec(QStringLiteral("ALTER TABLE Video.Video RENAME TO Gone"));
    grid->scrollTo(grid->model()->index(500, 0));
    grid->grab();
    grid->grab();
    EXPECT_TRUE(dialogs().texts(QStringLiteral("error")).isEmpty()) << "a box opened inside the paint";
    EXPECT_TRUE(cell(*grid, 500, 1).isEmpty());
    QCoreApplication::processEvents();
    const QStringList errors = takeErrors();
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors.first().contains(QStringLiteral("no such table"))) << errors.first().toStdString();
}

} // namespace
