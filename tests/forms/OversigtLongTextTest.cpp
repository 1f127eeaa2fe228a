// The overview with a title of megabytes: its cell shows the beginning and "…", while the
// cell's edit value and the stored title stay whole.
#include "BrowseFixture.h"

#include "dbctrls/DBGrid.h"
#include "dbctrls/DBGridModel.h"
#include "engine/Field.h"
#include "forms/OversigtForm.h"

#include <QElapsedTimer>
#include <QTest>

using browsetest::BrowseTest;

TEST_F(BrowseTest, AHugeTitleShowsCutInTheOverviewAndStaysWhole)
{
    QString huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += QStringLiteral("Titel uden ende ");
    addTape(QStringLiteral("0001-00"), huge);
    addTape(QStringLiteral("0002-00"), QStringLiteral("Kort"));
    video().First();

    QElapsedTimer timer;
    timer.start();
    auto form = std::make_unique<forms::TOversigtForm>();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->grab();

    const QAbstractItemModel* model = form->DBGrid1->model();
    QModelIndex longCell;
    QModelIndex shortCell;
    for (int row = 0; row < model->rowCount(); ++row)
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex cell = model->index(row, column);
            const QString value = model->data(cell, Qt::EditRole).toString();
            if (value == huge)
                longCell = cell;
            else if (value == QLatin1String("Kort"))
                shortCell = cell;
        }
    ASSERT_TRUE(longCell.isValid()) << "the edit value is the whole title";
    ASSERT_TRUE(shortCell.isValid());
    const QString shown = model->data(longCell, Qt::DisplayRole).toString();
    EXPECT_EQ(shown, huge.left(dbctrls::TDBGridModel::kMaxShownLength) + QChar(0x2026));
    EXPECT_EQ(model->data(shortCell, Qt::DisplayRole).toString(), QStringLiteral("Kort"));
    form.reset();
    // Bounds whether the window works at all, not its speed.
    EXPECT_LT(timer.elapsed(), 120000);

    video().Close();
    video().Open();
    ASSERT_TRUE(video().Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00")));
    EXPECT_EQ(video().FieldByName(QStringLiteral("Titel")).AsString(), huge);
}
