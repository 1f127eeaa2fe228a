// Stored window sizes under a real window manager: a virtual display with openbox, and the
// program's windows shown, framed and closed by a user run after run. The sizes in Config.DB
// must stay the same from the first run on, whatever happens while a window opens.
#include "common/TempProgramFolder.h"
#include "data/DM.h"
#include "forms/CoverPictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>
#include <unistd.h>

inline void PrintTo(const QSize& size, std::ostream* os)
{
    *os << size.width() << "x" << size.height();
}

namespace {

struct Sizes {
    QSize main;
    QSize reg;
    bool operator==(const Sizes& other) const { return main == other.main && reg == other.reg; }
};

void PrintTo(const Sizes& sizes, std::ostream* os)
{
    *os << "main " << sizes.main.width() << "x" << sizes.main.height() << ", reg " << sizes.reg.width() << "x"
        << sizes.reg.height();
}

// What the user saw of a window: its client size plus frame is its outer size.
struct Seen {
    QSize client;
    QSize frame;
};

// Polls until ready() holds; false when it did not within the limit (a broken set-up).
template <typename Ready> bool waitUntil(Ready ready, int limitMs = 15000)
{
    for (int waited = 0; waited < limitMs; waited += 50) {
        if (ready())
            return true;
        QThread::msleep(50);
        QCoreApplication::processEvents();
    }
    return ready();
}

class WindowSizes : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (xvfb.isEmpty() || openbox.isEmpty())
            GTEST_SKIP() << "Xvfb and openbox are needed for a real window manager";
        ASSERT_TRUE(scratch_.isValid());
        program_.install();
        startDisplay(xvfb);
        ASSERT_FALSE(display_.isEmpty()) << "Xvfb did not start";
        startWindowManager(openbox);
        binary_ = program_.file(QStringLiteral("window_size_user"));
        ASSERT_TRUE(QFile::copy(QString::fromLocal8Bit(SPK_USER_BINARY), binary_));
        QFile::setPermissions(binary_, QFile::ExeOwner | QFile::ReadOwner);
    }

    void TearDown() override
    {
        for (QProcess* process : {&windowManager_, &xvfb_})
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(5000))
                    process->kill();
                process->waitForFinished(5000);
            }
    }

    void startDisplay(const QString& xvfb)
    {
        // A display number no other server holds; the server's socket shows when it listens.
        for (int number = 90 + getpid() % 50; number < 200 && display_.isEmpty(); ++number) {
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
            if (QFile::exists(socket) || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
                continue;
            xvfb_.start(xvfb, {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"), QStringLiteral("0"),
                               QStringLiteral("%1x%2x24").arg(screen_.width()).arg(screen_.height()), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!xvfb_.waitForStarted(5000))
                return;
            if (waitUntil([&] { return QFile::exists(socket) || xvfb_.state() == QProcess::NotRunning; })
                && xvfb_.state() == QProcess::Running) {
                display_ = QStringLiteral(":%1").arg(number);
                return;
            }
            xvfb_.kill();
            xvfb_.waitForFinished(5000);
        }
    }

    void startWindowManager(const QString& openbox)
    {
        // openbox runs its start-up command once it manages the screen.
        const QString ready = scratch_.filePath(QStringLiteral("wm-ready"));
        windowManager_.setProcessEnvironment(displayEnvironment());
        windowManager_.start(openbox, {QStringLiteral("--sm-disable"), QStringLiteral("--startup"),
                                       QStringLiteral("touch ") + ready});
        ASSERT_TRUE(waitUntil([&] { return QFile::exists(ready); })) << "openbox did not start";
    }

    QProcessEnvironment displayEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display_);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("HOME"), scratch_.path());
        return environment;
    }

    // One run of the program's windows; returns what the user saw of each window closed.
    QHash<QString, Seen> run(const char* scenario)
    {
        QProcess user;
        user.setProcessEnvironment(displayEnvironment());
        user.setWorkingDirectory(program_.path());
        user.start(binary_, {program_.path(), QString::fromLatin1(scenario)});
        const bool finished = user.waitForFinished(20000);
        if (!finished) {
            user.kill();
            user.waitForFinished(5000);
        }
        EXPECT_TRUE(finished) << "the windows were not closed: " << user.readAllStandardError().toStdString();
        EXPECT_EQ(user.exitCode(), 0);
        QHash<QString, Seen> seen;
        static const QRegularExpression line(QStringLiteral("^(\\w+) client (\\d+)x(\\d+) frame (\\d+)x(\\d+)$"),
                                             QRegularExpression::MultilineOption);
        for (auto it = line.globalMatch(QString::fromLocal8Bit(user.readAllStandardOutput())); it.hasNext();) {
            const auto m = it.next();
            seen.insert(m.captured(1), {QSize(m.captured(2).toInt(), m.captured(3).toInt()),
                                        QSize(m.captured(4).toInt(), m.captured(5).toInt())});
        }
        return seen;
    }

    Sizes stored()
    {
        data::TDM dm(program_.dataDir());
        dm.OpenTables();
        auto size = [&](const char* w, const char* h) {
            return QSize(dm.configInteger(QString::fromLatin1(w)), dm.configInteger(QString::fromLatin1(h)));
        };
        return {size("W_Main", "H_Main"), size("W_Reg", "H_Reg")};
    }

    void store(const std::vector<std::pair<QString, qint64>>& values)
    {
        data::TDM dm(program_.dataDir());
        dm.OpenTables();
        dm.storeConfig(values);
    }

    QSize screen_{1280, 1024};
    QTemporaryDir scratch_;
    testing_support::TempProgramFolder program_;
    QProcess xvfb_;
    QProcess windowManager_;
    QString display_;
    QString binary_;
};

const QSize kMainDesign(895, 600);
const QSize kRegDesign(1008, 537);

TEST_F(WindowSizes, RegistrationWindowKeepsItsSizeWhenAnErrorBoxShowsWhileItOpens)
{
    // Without the picture folder the window's first refresh shows an error box before the
    // window is mapped.
    ASSERT_TRUE(QDir(program_.file(QStringLiteral("Billeder"))).removeRecursively());
    store({{QStringLiteral("W_Reg"), 1000}, {QStringLiteral("H_Reg"), 560}});

    const auto first = run("reg");
    ASSERT_TRUE(first.contains(QStringLiteral("reg")));
    const Sizes afterFirst = stored();
    EXPECT_EQ(afterFirst.reg, QSize(1000, 560));
    // The window showed the stored outer size: its client area is that size less the frame.
    EXPECT_EQ(first[QStringLiteral("reg")].client + first[QStringLiteral("reg")].frame, QSize(1000, 560));
    EXPECT_FALSE(first[QStringLiteral("reg")].frame.isNull());

    for (int round = 0; round < 2; ++round) {
        const auto seen = run("reg");
        EXPECT_EQ(stored(), afterFirst) << "run " << round + 2;
        EXPECT_EQ(seen[QStringLiteral("reg")].client + seen[QStringLiteral("reg")].frame, afterFirst.reg);
    }
}

TEST_F(WindowSizes, RegistrationWindowKeepsItsSizeWhenItsFrontPictureIsSlowToLoad)
{
    // Each run's "Ny video" opens a tape with one of these numbers.
    QImage large(8000, 6000, QImage::Format_RGB32);
    large.fill(Qt::darkCyan);
    for (const char* tapeNr : {"0001-00", "0002-00", "0003-00"})
        ASSERT_TRUE(large.save(forms::coverPath(forms::CoverSide::Front, QString::fromLatin1(tapeNr)), "JPEG"));
    store({{QStringLiteral("W_Reg"), 1000}, {QStringLiteral("H_Reg"), 560}});

    for (int round = 0; round < 2; ++round) {
        const auto seen = run("reg");
        ASSERT_TRUE(seen.contains(QStringLiteral("reg")));
        EXPECT_EQ(stored().reg, QSize(1000, 560)) << "run " << round + 1;
        EXPECT_EQ(seen[QStringLiteral("reg")].client + seen[QStringLiteral("reg")].frame, QSize(1000, 560));
    }
}

TEST_F(WindowSizes, DesignSizedWindowsStoreTheirOuterSizeOnceAndKeepIt)
{
    // A fresh configuration holds the design client sizes; a bad language index shows an
    // error box while the main window opens.
    ASSERT_TRUE(QDir(program_.file(QStringLiteral("Billeder"))).removeRecursively());
    store({{QStringLiteral("Sprog"), 7}});
    ASSERT_EQ(stored(), (Sizes{kMainDesign, kRegDesign}));

    const auto first = run("reg");
    ASSERT_TRUE(first.contains(QStringLiteral("main")) && first.contains(QStringLiteral("reg")));
    const Sizes afterFirst = stored();
    // Design client areas, stored with the frame as outer sizes.
    EXPECT_EQ(first[QStringLiteral("main")].client, kMainDesign);
    EXPECT_EQ(first[QStringLiteral("reg")].client, kRegDesign);
    EXPECT_EQ(afterFirst.main, kMainDesign + first[QStringLiteral("main")].frame);
    EXPECT_EQ(afterFirst.reg, kRegDesign + first[QStringLiteral("reg")].frame);

    for (int round = 0; round < 2; ++round) {
        const auto seen = run(round == 0 ? "main" : "reg");
        EXPECT_EQ(stored(), afterFirst) << "run " << round + 2;
        EXPECT_EQ(seen[QStringLiteral("main")].client, kMainDesign);
    }
}

// A lookup window is a new window at every showing; each run shows it for the first time.
void expectLookupOuterSize(const QHash<QString, Seen>& seen, QSize outer, const char* which)
{
    ASSERT_TRUE(seen.contains(QStringLiteral("lookup"))) << which;
    const Seen lookup = seen[QStringLiteral("lookup")];
    EXPECT_FALSE(lookup.frame.isNull()) << which;
    EXPECT_EQ(lookup.client + lookup.frame, outer) << which;
}

TEST_F(WindowSizes, LookupWindowsOpenAtTheirOuterSizeTheFirstTimeInARun)
{
    // Only the category window adapts to a screen other than the 800 x 600 it was designed on.
    for (int round = 0; round < 2; ++round) {
        expectLookupOuterSize(run("Skuespillere1"), QSize(228, 480), "actors");
        expectLookupOuterSize(run("Kategori1"), QSize(1280 * 225 / 800, 1024 * 345 / 600), "categories");
    }
}

class WindowSizesOnTheDesignScreen : public WindowSizes {
protected:
    void SetUp() override
    {
        screen_ = QSize(800, 600);
        WindowSizes::SetUp();
    }
};

TEST_F(WindowSizesOnTheDesignScreen, LookupWindowsOpenAtTheirDesignOuterSize)
{
    for (int round = 0; round < 2; ++round) {
        expectLookupOuterSize(run("Typer1"), QSize(130, 292), "types");
        expectLookupOuterSize(run("Kategori1"), QSize(225, 345), "categories");
        expectLookupOuterSize(run("Skuespillere1"), QSize(228, 480), "actors");
    }
}

} // namespace
