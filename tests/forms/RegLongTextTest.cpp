// The registration window with descriptions too long to edit: it shows them cut, read-only,
// and never writes the cut text back.
#include "RegFixture.h"

#include "dbctrls/DBEdit.h"
#include "dbctrls/DBMemo.h"
#include "engine/Table.h"

#include <QElapsedTimer>
#include <QTest>
#include <sqlite3.h>

using namespace regtest;

namespace {

/// The bytes Video.db holds in Indhold for that tape, read past the program.
QByteArray storedDescription(const QString& dataDir, const QString& tapeNr)
{
    sqlite3* db = nullptr;
    QByteArray result;
    const QString path = dataDir + QStringLiteral("/Video.db");
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* query = nullptr;
        sqlite3_prepare_v2(db, "SELECT Indhold FROM Video WHERE TapeNr = ?1", -1, &query, nullptr);
        const QByteArray key = tapeNr.toUtf8();
        sqlite3_bind_text(query, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(query) == SQLITE_ROW)
            result = QByteArray(static_cast<const char*>(sqlite3_column_blob(query, 0)), sqlite3_column_bytes(query, 0));
        sqlite3_finalize(query);
    }
    sqlite3_close(db);
    return result;
}

/// About a megabyte of text without a line break or a space.
QString unbrokenText()
{
    QString text;
    while (text.size() < 1024 * 1024)
        text += QStringLiteral("abcæøåXYZ0123456789");
    return text;
}

} // namespace

TEST_F(RegFixture, AHugeDescriptionShowsCutReadOnlyAndStaysAsStored)
{
    const QString huge = unbrokenText();
    addTape(QStringLiteral("0001-00"), QStringLiteral("Lang"), {{"Indhold", huge}});
    addTape(QStringLiteral("0002-00"), QStringLiteral("Kort"), {{"Indhold", QStringLiteral("Kort tekst")}});
    const QByteArray stored = storedDescription(folder->dataDir(), QStringLiteral("0001-00"));
    ASSERT_EQ(stored, huge.toUtf8());
    ASSERT_TRUE(dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00")));

    QElapsedTimer timer;
    timer.start();
    showRegForm();
    form->grab();
    dbctrls::TDBMemo* memo = form->DBMemo1;
    EXPECT_TRUE(memo->isReadOnly());
    const QString shown = memo->toPlainText();
    EXPECT_TRUE(shown.contains(QString::number(huge.size()))) << "the note names the length";
    EXPECT_TRUE(shown.contains(huge.left(1000)));
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_LT(shown.size(), 20000);

    // Typing into the cut text changes nothing.
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("zz"));
    EXPECT_EQ(memo->toPlainText(), shown);
    EXPECT_FALSE(dm->VideoTable->Editing());

    // Another field edited and posted by a move: the description is written back unchanged.
    form->DBEdit3->setFocus();
    form->DBEdit3->selectAll();
    QTest::keyClicks(form->DBEdit3, QStringLiteral("Ny titel"));
    ASSERT_TRUE(dm->VideoTable->Editing());
    dm->VideoTable->Next();
    form->grab();
    EXPECT_EQ(text(*dm->VideoTable, "Titel"), QStringLiteral("Kort"));
    EXPECT_FALSE(memo->isReadOnly()) << "a short description is editable again";
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Kort tekst"));

    dm->VideoTable->Prior();
    form->grab();
    EXPECT_TRUE(memo->isReadOnly());
    form->close();
    EXPECT_FALSE(form->isVisible());
    // Bounds whether the window works at all, not its speed.
    EXPECT_LT(timer.elapsed(), 120000);

    EXPECT_EQ(storedDescription(folder->dataDir(), QStringLiteral("0001-00")), stored);
    dm->VideoTable->Close();
    dm->VideoTable->Open();
    ASSERT_TRUE(dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00")));
    EXPECT_EQ(text(*dm->VideoTable, "Titel"), QStringLiteral("Ny titel"));
}

TEST_F(RegFixture, LongLinesUpToTheBoundAndManyShortLinesStayEditable)
{
    const QString longestLine(dbctrls::TDBMemo::kMaxEditableLine, QLatin1Char('a'));
    QString manyLines;
    while (manyLines.size() < 1024 * 1024)
        manyLines += QStringLiteral("En linje om filmen, ikke lang, men heller ikke helt kort.\n");
    addTape(QStringLiteral("0001-00"), QStringLiteral("Grænse"), {{"Indhold", longestLine}});
    addTape(QStringLiteral("0002-00"), QStringLiteral("Linjer"), {{"Indhold", manyLines}});
    addTape(QStringLiteral("0003-00"), QStringLiteral("Over"), {{"Indhold", longestLine + QLatin1Char('a')}});
    ASSERT_TRUE(dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00")));
    showRegForm();
    dbctrls::TDBMemo* memo = form->DBMemo1;
    EXPECT_FALSE(memo->isReadOnly());
    EXPECT_EQ(memo->toPlainText(), longestLine);
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("b"));

    dm->VideoTable->Next();
    EXPECT_FALSE(memo->isReadOnly());
    EXPECT_EQ(memo->toPlainText(), manyLines);
    dm->VideoTable->Next();
    EXPECT_TRUE(memo->isReadOnly()) << "one character over the bound";
    form->close();
    EXPECT_EQ(storedDescription(folder->dataDir(), QStringLiteral("0001-00")), (longestLine + QLatin1Char('b')).toUtf8());
    EXPECT_EQ(storedDescription(folder->dataDir(), QStringLiteral("0002-00")), manyLines.toUtf8());
    EXPECT_EQ(storedDescription(folder->dataDir(), QStringLiteral("0003-00")), (longestLine + QLatin1Char('a')).toUtf8());
}
