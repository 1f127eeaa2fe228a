#include "UserFolder.h"

#include "Version.h"
#include "core/Errors.h"
#include "data/CatalogueFolder.h"
#include "locale/Languages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace app {

namespace {

QString withSeparator(QString dir)
{
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

// No catalogue is open yet, so no stored language is known: the desktop's language decides.
QString folderMessage(const QString& folder, const QString& detail)
{
    static const locale::LanguageTexts messages = {
        "Spolarkiv kan ikke oprette eller skrive i programmappen \"%1\". "
        "Vælg en anden mappe med variablen SPOLARKIV_HOME.",
        "Spolarkiv cannot create or write its program folder \"%1\". "
        "Choose another folder with the variable SPOLARKIV_HOME.",
        "Spolarkiv kan ikke opprette eller skrive i programmappen \"%1\". "
        "Velg en annen mappe med variabelen SPOLARKIV_HOME.",
        "Spolarkiv kan inte skapa eller skriva i programmappen \"%1\". "
        "Välj en annan mapp med variabeln SPOLARKIV_HOME.",
        "Spolarkiv kann den Programmordner \"%1\" nicht anlegen oder nicht hineinschreiben. "
        "Wählen Sie mit der Variablen SPOLARKIV_HOME einen anderen Ordner.",
    };
    const QString desktop = QLocale::languageToCode(QLocale::system().language());
    QString text = messages.text(locale::languageIndexOfDesktop(desktop).value_or(locale::kDesignedLanguage));
    text = text.arg(QDir::toNativeSeparators(QDir::cleanPath(folder)));
    return detail.isEmpty() ? text : text + QLatin1Char('\n') + detail;
}

// The outermost folder of `path` that does not exist yet; empty when the path exists.
QString firstMissing(const QString& path)
{
    QString missing;
    for (QDir dir(QDir::cleanPath(path)); !dir.exists(); ) {
        missing = dir.absolutePath();
        if (!dir.cdUp())
            break;
    }
    return missing;
}

} // namespace

QString installedSharedDir(const QString& executableDir)
{
    const QString shared = withSeparator(QDir(executableDir).filePath(QStringLiteral(SPK_SHARE_FROM_BIN)));
    return QFileInfo(shared + QStringLiteral("Help")).isDir() ? shared : QString();
}

core::ProgramPaths applicationPaths()
{
    core::ProgramPaths paths = core::ProgramPaths::fromApplication();
    const QString shared = installedSharedDir(paths.programDir);
    if (shared.isEmpty())
        return paths;
    QString folder = qEnvironmentVariable("SPOLARKIV_HOME");
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/Spolarkiv");
    paths = core::ProgramPaths::forFolder(folder);
    paths.sharedDir = shared;
    return paths;
}

QString prepareProgramFolder(const core::ProgramPaths& paths)
{
    // A program folder made by the build or the run script already has what it needs, and only
    // the data tool makes tables there.
    if (paths.sharedDir.isEmpty())
        return QString();
    const QString folder = paths.workingDir;
    const QString madeFolder = firstMissing(folder);
    const QString dataDir = QDir::cleanPath(paths.dataDir());
    const bool dataMissing = !QFileInfo::exists(dataDir);
    const auto takeBack = [&] {
        if (!madeFolder.isEmpty())
            QDir(madeFolder).removeRecursively();
        else if (dataMissing)
            QDir(dataDir).removeRecursively();
    };
    if (!QDir().mkpath(folder))
        return takeBack(), folderMessage(folder, QString());
    try {
        if (!data::holdsTables(dataDir))
            data::createCatalogue(dataDir);
    } catch (const core::EError& e) {
        takeBack();
        return folderMessage(folder, e.message());
    }
    if (!QDir().mkpath(QDir::cleanPath(paths.picturesDir()))) {
        takeBack();
        return folderMessage(folder, QString());
    }
    return QString();
}

} // namespace app
