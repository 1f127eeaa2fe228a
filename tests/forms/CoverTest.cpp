// Cover pictures: the tape's files, the placeholders per language, fetching, the check of the
// tape number before it names a file, and the enlarged picture window.
#include "RegFixture.h"

#include "core/ProgramPaths.h"

#include "engine/Field.h"
#include "engine/Table.h"
#include "forms/BilledForm.h"
#include "forms/CoverPictures.h"
#include "support/Image.h"
#include "support/JpegLoader.h"

#include <QApplication>
#include <QDir>
#include <QScrollArea>
#include <QScrollBar>
#include <QFile>
#include <QTest>
#include <QToolButton>
#include <sys/stat.h>

using namespace regtest;

namespace {

QImage placeholder(const QString& dir, const char* name)
{
    return support::loadJpegFile(dir + QLatin1Char('/') + QLatin1String(name)).value_or(QImage());
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Covers : public RegFixture {
protected:
    void SetUp() override
    {
        RegFixture::SetUp();
        addTape(QStringLiteral("0007-00"), QStringLiteral("Syvende film"));
    }
    QString file(const char* name) const { return picturesDir() + QLatin1Char('/') + QLatin1String(name); }
};

} // namespace

TEST_F(Covers, TheTapesPicturesShowAtNaturalSize)
{
    writeJpeg(file("Front0007-00.jpg"), {300, 420}, Qt::red);
    writeJpeg(file("Back0007-00.jpg"), {120, 90}, Qt::blue);
    showRegForm();
    EXPECT_EQ(form->Image1->picture().size(), QSize(300, 420));
    EXPECT_EQ(form->Image1->size(), QSize(300, 420)) << "larger than its frame: the frame scrolls";
    EXPECT_EQ(form->Image1->pos(), QPoint(0, 0));
    EXPECT_EQ(form->Image2->picture().size(), QSize(120, 90));
}

TEST_F(Covers, AFrameShowsScrollBarsOnlyForAPictureLargerThanItself)
{
    const struct {
        QSize front;   // none: the placeholder, exactly as large as the frame
        bool scrolls;
    } cases[] = {{QSize(), false}, {QSize(226, 156), false}, {QSize(100, 80), false},
                 {QSize(227, 156), true}, {QSize(226, 157), true}};
    showRegForm();
    // At the design size, whatever the test screen made of it.
    form->resize(1008, 537);
    QApplication::processEvents();
    ASSERT_EQ(form->ScrollBox1->size(), QSize(226, 156));
    for (const auto& c : cases) {
        QFile::remove(file("Front0007-00.jpg"));
        if (c.front.isValid())
            writeJpeg(file("Front0007-00.jpg"), c.front, Qt::red);
        form->Billede();
        QApplication::processEvents();
        const QScrollArea* frame = form->ScrollBox1;
        const bool barShown = frame->horizontalScrollBar()->isVisible() || frame->verticalScrollBar()->isVisible();
        EXPECT_EQ(barShown, c.scrolls) << c.front.width() << "x" << c.front.height();
        if (!c.scrolls) {
            EXPECT_TRUE(frame->viewport()->rect().contains(form->Image1->geometry())) << "the whole picture shows";
        }
    }
}

TEST_F(Covers, PlaceholdersFollowTheActiveLanguage)
{
    const std::pair<int, const char*> cases[] = {{-1, "Ingen.jpg"}, {0, "None.jpg"}, {1, "Ingen.jpg"},
                                                 {2, "Bold.jpg"},   {3, "Kein.jpg"}};
    regForm();
    for (const auto& [language, name] : cases) {
        useLanguage(language);
        form->Billede();
        const QImage expected = placeholder(picturesDir(), name);
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(form->Image1->picture(), expected) << name;
        EXPECT_EQ(form->Image2->picture(), expected) << name;
    }
    EXPECT_NE(placeholder(picturesDir(), "Bold.jpg"), placeholder(picturesDir(), "Ingen.jpg"));
}

TEST_F(Covers, AFileThatIsNoJpegShowsThePlaceholderSilently)
{
    QFile bad(file("Front0007-00.jpg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is not a picture");
    bad.close();
    regForm().Billede();
    EXPECT_EQ(form->Image1->picture(), placeholder(picturesDir(), "Ingen.jpg"));
    EXPECT_TRUE(takeErrors().isEmpty());
}

TEST_F(Covers, AMissingPlaceholderIsReportedAndTheRestSkipped)
{
    writeJpeg(file("Back0007-00.jpg"), {120, 90}, Qt::blue);
    regForm().Billede();
    ASSERT_EQ(form->Image2->picture().size(), QSize(120, 90));
    addTape(QStringLiteral("0008-00"), QStringLiteral("Uden billeder"));
    QFile::remove(file("Ingen.jpg"));
    form->DBNavigator1->click(dbctrls::TDBNavigator::Button::Last);
    const QStringList errors = takeErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(QStringLiteral("Ingen.jpg"))) << errors.first().toStdString();
    EXPECT_EQ(form->Image2->picture().size(), QSize(120, 90)) << "the back picture was not refreshed";
}

TEST_F(Covers, FetchingCopiesTheFileAndASecondFetchReplacesIt)
{
    const QString first = folder->file(QStringLiteral("first.jpg"));
    const QString second = folder->file(QStringLiteral("second.jpg"));
    writeJpeg(first, {200, 150}, Qt::green);
    writeJpeg(second, {180, 240}, Qt::yellow);
    regForm();
    dialogs().openFileAnswers = {first, second};
    QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    const auto shown = dialogs().shown.front();
    EXPECT_EQ(shown.kind, QStringLiteral("openFile"));
    EXPECT_EQ(shown.caption, QStringLiteral("Covers"));
    EXPECT_EQ(shown.extra, QStringLiteral("Billeder (*.jpg)|*.jpg"));
    EXPECT_EQ(bytesOf(file("Front0007-00.jpg")), bytesOf(first));
    EXPECT_EQ(form->Image1->picture().size(), QSize(200, 150));
    QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(bytesOf(file("Front0007-00.jpg")), bytesOf(second));
    EXPECT_EQ(form->Image1->picture().size(), QSize(180, 240));
    dialogs().openFileAnswers = {std::nullopt};
    QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(file("Back0007-00.jpg"))) << "cancelled";
}

TEST_F(Covers, AFailedCopyIsReportedAndTheEarlierPictureStays)
{
    writeJpeg(file("Back0007-00.jpg"), {120, 90}, Qt::blue);
    const QByteArray before = bytesOf(file("Back0007-00.jpg"));
    regForm();
    dialogs().openFileAnswers = {folder->file(QStringLiteral("gone.jpg"))};
    QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);
    const QStringList errors = takeErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().startsWith(QStringLiteral("Billedet kunne ikke kopieres til "))) << errors.first().toStdString();
    EXPECT_EQ(bytesOf(file("Back0007-00.jpg")), before);
    EXPECT_EQ(form->Image2->picture().size(), QSize(120, 90));
}

TEST_F(Covers, ACopiedFileThatIsNoPictureIsReported)
{
    const QString text = folder->file(QStringLiteral("notes.jpg"));
    QFile notes(text);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("no picture");
    notes.close();
    regForm();
    dialogs().openFileAnswers = {text};
    QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(takeErrors().size(), 1);
    EXPECT_EQ(bytesOf(file("Front0007-00.jpg")), QByteArray("no picture")) << "copied whatever its content";
}

// A pipe never ends the open nor the copy: neither as the tape's picture nor as the file chosen.
TEST_F(Covers, APipeIsNoPictureToShowNorToCopy)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(file("Front0007-00.jpg")).constData(), 0644), 0);
    regForm().Billede();
    EXPECT_EQ(form->Image1->picture(), placeholder(picturesDir(), "Ingen.jpg"));
    EXPECT_TRUE(takeErrors().isEmpty());

    const QString pipe = folder->file(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    dialogs().openFileAnswers = {pipe};
    QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);
    const QStringList errors = takeErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().endsWith(QStringLiteral("not a readable picture"))) << errors.first().toStdString();
    EXPECT_FALSE(QFile::exists(file("Back0007-00.jpg")));
}

TEST_F(Covers, ATapeNumberThatCannotNameAFileIsRefused)
{
    const QString chosen = folder->file(QStringLiteral("cover.jpg"));
    writeJpeg(chosen, {50, 50}, Qt::red);
    const QStringList before = QDir(picturesDir()).entryList(QDir::Files);
    const QStringList parentBefore = QDir(folder->path()).entryList(QDir::Files);
    regForm();
    for (const char* number : {"../x", "", "a/b", "a\\b", "..", "07\t00"}) {
        dm->VideoTable->Edit();
        dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).SetAsString(QString::fromLatin1(number));
        dialogs().openFileAnswers = {chosen};
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        const QStringList errors = takeErrors();
        ASSERT_EQ(errors.size(), 1) << number;
        EXPECT_TRUE(errors.first().contains(QStringLiteral("kan ikke"))) << errors.first().toStdString();
        dm->VideoTable->Cancel();
    }
    EXPECT_EQ(QDir(picturesDir()).entryList(QDir::Files), before);
    EXPECT_EQ(QDir(folder->path()).entryList(QDir::Files), parentBefore);
    EXPECT_FALSE(QFile::exists(folder->file(QStringLiteral("x.jpg"))));
    EXPECT_FALSE(QFile::exists(folder->file(QStringLiteral("Front../x.jpg"))));
}

TEST_F(Covers, ClickingAPictureOpensTheEnlargedWindow)
{
    writeJpeg(file("Back0007-00.jpg"), {640, 480}, Qt::blue);
    showRegForm();
    QString caption;
    QSize picture;
    bool sizeable = false;
    whenModalShows([&](QWidget* window) {
        auto* enlarged = qobject_cast<forms::TBilledForm*>(window);
        ASSERT_NE(enlarged, nullptr);
        caption = enlarged->windowTitle();
        picture = enlarged->Image1->picture().size();
        sizeable = enlarged->minimumSize() != enlarged->maximumSize();
        window->close();
    });
    QTest::mouseClick(form->Image2, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(caption, QStringLiteral("Syvende film"));
    EXPECT_EQ(picture, QSize(640, 480));
    EXPECT_TRUE(sizeable);
}

TEST_F(Covers, TheEnlargedWindowShowsThePlaceholderOfTheLanguage)
{
    useLanguage(2);
    showRegForm();
    QImage picture;
    whenModalShows([&](QWidget* window) {
        picture = static_cast<forms::TBilledForm*>(window)->Image1->picture();
        window->close();
    });
    QTest::mouseClick(form->Image1, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(picture, placeholder(picturesDir(), "Bold.jpg"));
}

TEST(CoverFiles, NamesAndNumberChecks)
{
    core::setProgramPaths(core::ProgramPaths::forFolder(QStringLiteral("/prog")));
    EXPECT_EQ(forms::coverPath(forms::CoverSide::Front, QStringLiteral("0001-00")),
              QStringLiteral("/prog/Billeder/Front0001-00.jpg"));
    EXPECT_EQ(forms::coverPath(forms::CoverSide::Back, QStringLiteral("0001-00")),
              QStringLiteral("/prog/Billeder/Back0001-00.jpg"));
    for (const QString& usable : {QStringLiteral("0001-00"), QStringLiteral("10000-00"), QStringLiteral("A.1")})
        EXPECT_TRUE(forms::tapeNrProblem(usable).isEmpty()) << usable.toStdString();
    for (const QString& refused : {QString(), QStringLiteral("../x"), QStringLiteral("x..y"), QStringLiteral("a/b"),
                                   QStringLiteral("a\\b"), QStringLiteral("a\x01" "b"), QStringLiteral("a\x7f")})
        EXPECT_FALSE(forms::tapeNrProblem(refused).isEmpty()) << refused.toStdString();
}

namespace {

/// Rewrites the front picture of every tape with a size that tells the tape and the round, so a
/// refresh shows in the picture's size.
class Refresh : public Covers {
protected:
    static constexpr const char* kTapes[] = {"0007-00", "0008-00", "0009-00"};
    void SetUp() override
    {
        Covers::SetUp();
        addTape(QStringLiteral("0008-00"), QStringLiteral("Ottende film"));
        addTape(QStringLiteral("0009-00"), QStringLiteral("Niende film"));
    }
    void newRound()
    {
        ++round;
        for (int tape = 0; tape < int(std::size(kTapes)); ++tape)
            writeJpeg(file(("Front" + std::string(kTapes[tape]) + ".jpg").c_str()), pictureOf(tape), Qt::gray);
    }
    QSize pictureOf(int tape) const { return {16 * (tape + 1), 8 * round}; }
    QSize currentTapesPicture() const
    {
        const QString tapeNr = dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).AsString();
        for (int tape = 0; tape < int(std::size(kTapes)); ++tape)
            if (tapeNr == QLatin1String(kTapes[tape]))
                return pictureOf(tape);
        return {};
    }
    QSize shown() const { return form->Image1->picture().size(); }
    int round = 0;
};

} // namespace

TEST_F(Refresh, NavigatorMovesAndCancelRefreshThePicturesEditPostAndDeleteDoNot)
{
    using B = dbctrls::TDBNavigator::Button;
    struct Step {
        B button;
        const char* startAt;
        bool editFirst;
        bool refreshes;
    };
    const Step steps[] = {
        {B::First, "0008-00", false, true}, {B::Next, "0007-00", false, true}, {B::Last, "0007-00", false, true},
        {B::Prior, "0009-00", false, true}, {B::Cancel, "0008-00", true, true}, {B::Edit, "0008-00", false, false},
        {B::Post, "0008-00", true, false},  {B::Delete, "0008-00", false, false},
    };
    showRegForm();
    for (const Step& step : steps) {
        ASSERT_TRUE(dm->VideoTable->Locate(QStringLiteral("TapeNr"), QLatin1String(step.startAt)));
        form->Billede();
        if (step.editFirst) {
            form->DBEdit3->setFocus();
            QTest::keyClicks(form->DBEdit3, QStringLiteral("x"));
        }
        const QSize before = shown();
        newRound();
        dialogs().confirmAnswers = {true};
        form->DBNavigator1->click(step.button);
        EXPECT_EQ(dm->VideoTable->Editing(), step.button == B::Edit);
        EXPECT_EQ(shown(), step.refreshes ? currentTapesPicture() : before) << "button " << int(step.button);
    }
    EXPECT_EQ(column(*dm->VideoTable, "TapeNr"), (QStringList{QStringLiteral("0007-00"), QStringLiteral("0009-00")}));
}

TEST_F(Refresh, AClickInTheTapeGridRefreshesAKeyboardMoveAndNyVhsDvdDoNot)
{
    showRegForm();
    newRound();
    const QModelIndex third = form->DBGrid1->model()->index(2, 1);
    QTest::mouseClick(form->DBGrid1->viewport(), Qt::LeftButton, {}, form->DBGrid1->visualRect(third).center());
    ASSERT_EQ(text(*dm->VideoTable, "TapeNr"), QStringLiteral("0009-00"));
    EXPECT_EQ(shown(), currentTapesPicture());

    const QSize before = shown();
    newRound();
    form->DBGrid1->setFocus();
    QTest::keyClick(form->DBGrid1, Qt::Key_Up);
    ASSERT_EQ(text(*dm->VideoTable, "TapeNr"), QStringLiteral("0008-00"));
    EXPECT_EQ(shown(), before) << "moving with the keyboard keeps the picture";

    QTest::mouseClick(form->SpeedButton3, Qt::LeftButton);
    ASSERT_EQ(dm->VideoTable->State(), engine::DataSetState::Insert);
    EXPECT_EQ(shown(), before) << "a new tape keeps the pictures of the tape before";
    dm->VideoTable->Cancel();
}
