// gtest main for every test: a QApplication offscreen with the Fusion style, 96 dpi fonts and
// a fixed locale, and scripted dialogs installed.
#include "core/Dialogs.h"
#include "core/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStyleFactory>
#include <gtest/gtest.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    qputenv("QT_FONT_DPI", "96");
    // Without a runtime folder Qt warns on every start, once per test case under ctest.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/spk-test-runtime-") + QString::number(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    core::ScriptedDialogs dialogs;
    core::setDialogs(&dialogs);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    core::setDialogs(nullptr);
    return result;
}
