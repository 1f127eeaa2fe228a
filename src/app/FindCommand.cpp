#include "FindCommand.h"

#include "CommandLine.h"
#include "CommandTexts.h"
#include "catalogue/SchemaUpgrade.h"
#include "UserFolder.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "core/SectionTexts.h"
#include "data/CatalogueCheck.h"
#include "data/DM.h"
#include "data/Fields.h"
#include "data/TextIndex.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "support/EasyFind.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

namespace app {

int runFindCommand(int argc, char** argv, int at)
{
    QString field = QString::fromLatin1(data::fields::Titel);
    if (at + 1 >= argc) {
        std::fprintf(stderr, "spolarkiv: --find needs a text\n");
        return 2;
    }
    const int rest = at + 2;
    if (rest < argc) {
        if (std::strcmp(argv[rest], "--field") != 0 || rest + 2 != argc) {
            std::fprintf(stderr, "spolarkiv: --find takes a text and at most --field NAME\n");
            return 2;
        }
        field = QString::fromLocal8Bit(argv[rest + 1]);
    }
    QCoreApplication application(argc, argv);
    const QString key = QString::fromLocal8Bit(argv[at + 1]);
    core::setProgramPaths(applicationPaths());
    const QString problem = prepareProgramFolder(core::programPaths());
    if (!problem.isEmpty())
        return printFailure(problem);
    try {
        const QString dataDir = core::programPaths().programDir + QStringLiteral("Data");
        const StoredLanguageTexts texts(dataDir);
        std::unique_ptr<catalogue::UpgradedCopy> copy;
        data::TDM dm(readableDataDir(dataDir, copy));
        // Checks as the windows do, but adds nothing: this command only reads.
        data::checkCatalogue(dm.database());
        data::useTextIndexIfSound(dm.database());
        engine::Table& video = *dm.VideoTable;
        video.Open();
        const engine::ReadSnapshot snapshot(video.database());
        video.Refresh();
        support::TEasyFind finder;
        finder.DataSource = dm.VideoSource;
        finder.SearchField = field;
        finder.SearchKey = key;
        QString lines;
        try {
            finder.Find();
        } catch (const core::EDBSearchPatternNotFound&) {
            QStringList names;
            for (int i = 0; i < video.FieldCount(); ++i)
                names << video.Fields(i).FieldName();
            return printFailure(core::sectionText("Catalogue", "NoSuchField", QStringLiteral("Båndene har intet felt \"%1\"; "
                                                                                             "felterne er %2."))
                                    .arg(field, names.join(QStringLiteral(", "))));
        }
        for (; finder.Found(); finder.FindNext())
            lines += video.FieldByName(QString::fromLatin1(data::fields::TapeNr)).AsString() + QLatin1Char('\t')
                     + video.FieldByName(QString::fromLatin1(data::fields::Titel)).AsString() + QLatin1Char('\n');
        print(stdout, lines);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : printFailure(core::sectionText("Catalogue", "ListNotWritten", QStringLiteral("Listen kan ikke skrives")));
    } catch (const core::EError& e) {
        return printFailure(e.message());
    }
}

} // namespace app
