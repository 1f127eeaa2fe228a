// A user of the real windows on a real display, for the window-size test: starts the program's
// windows as the program does, answers every message box after reading it, closes the main
// window (scenario "main"), or first opens and closes the registration window by "Ny video"
// (scenario "reg") or a lookup list window by its menu item (scenario: the item's name), each
// once the window manager has framed it. Prints the client size and frame it saw of each
// window it closed.
#include "app/ApplicationSetup.h"
#include "app/HovedForm.h"
#include "app/ProgramWindows.h"
#include "core/Dialogs.h"
#include "core/Guard.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "forms/OversigtForm.h"
#include "forms/RegForm.h"
#include "support/QtDialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <cstdio>
#include <memory>
#include <utility>

namespace {

// How long the user looks at a framed window or box before acting: longer than any fixed
// delay a size correction might rely on.
constexpr qint64 kReadingMs = 600;

class User {
public:
    User(app::THovedForm& hoved, QString scenario) : hoved_(hoved), scenario_(std::move(scenario)) {}

    void act()
    {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (readFor(box) && !box->buttons().isEmpty())
                box->buttons().first()->click();
            return;
        }
        switch (phase_) {
        case Phase::Main:
            if (!readFor(&hoved_))
                return;
            if (scenario_ == QLatin1String("main")) {
                closeWindow("main", &hoved_);
                phase_ = Phase::Done;
                return;
            }
            phase_ = Phase::Other;
            QTimer::singleShot(0, &hoved_, [this] { openOther(); });
            return;
        case Phase::Other: {
            QWidget* other = QApplication::activeModalWidget();
            if (!other || !readFor(other))
                return;
            closeWindow(other == forms::RegForm ? "reg" : "lookup", other);
            phase_ = Phase::MainAgain;
            return;
        }
        case Phase::MainAgain:
            if (QApplication::activeModalWidget() || !readFor(&hoved_))
                return;
            closeWindow("main", &hoved_);
            phase_ = Phase::Done;
            return;
        case Phase::Done:
            return;
        }
    }

private:
    enum class Phase { Main, Other, MainAgain, Done };

    void openOther()
    {
        if (scenario_ == QLatin1String("reg"))
            hoved_.findChild<QToolButton*>(QStringLiteral("SpeedButton3"))->click();
        else
            hoved_.findChild<QAction*>(scenario_)->trigger();
    }

    static bool framed(const QWidget* window)
    {
        const QWindow* handle = window->windowHandle();
        return window->isVisible() && handle && handle->isExposed() && !handle->frameMargins().isNull();
    }

    // True once the window has been framed and on screen for the reading time.
    bool readFor(const QWidget* window)
    {
        if (!framed(window)) {
            seen_.remove(window);
            return false;
        }
        auto it = seen_.find(window);
        if (it == seen_.end()) {
            it = seen_.insert(window, QElapsedTimer());
            it->start();
        }
        return it->elapsed() >= kReadingMs;
    }

    static void closeWindow(const char* name, QWidget* window)
    {
        const QMargins m = window->windowHandle()->frameMargins();
        std::printf("%s client %dx%d frame %dx%d\n", name, window->width(), window->height(), m.left() + m.right(),
                    m.top() + m.bottom());
        std::fflush(stdout);
        window->close();
    }

    app::THovedForm& hoved_;
    QString scenario_;
    Phase phase_ = Phase::Main;
    QHash<const QWidget*, QElapsedTimer> seen_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_FONT_DPI", "96");
    QApplication application(argc, argv);
    app::setUpApplication();
    support::QtDialogs qtDialogs;
    core::setDialogs(&qtDialogs);
    core::setProgramPaths(core::ProgramPaths::forFolder(QString::fromLocal8Bit(argv[1])));

    app::ProgramWindows windows(core::programPaths().workingDir);
    app::THovedForm* hovedForm = windows.hovedForm();

    User user(*hovedForm, QString::fromLatin1(argv[2]));
    QTimer looking;
    QObject::connect(&looking, &QTimer::timeout, [&user] { core::guarded([&user] { user.act(); }); });
    looking.start(50);

    hovedForm->show();
    const int result = application.exec();
    looking.stop();
    core::setDialogs(nullptr);
    return result;
}
