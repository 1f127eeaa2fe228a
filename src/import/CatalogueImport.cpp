#include "CatalogueImport.h"

#include "CatalogueBuild.h"
#include "FileKind.h"
#include "ImportError.h"
#include "ImportTexts.h"
#include "ParadoxTable.h"
#include "ValueConversion.h"
#include "core/Errors.h"
#include "data/CatalogueFolder.h"
#include "data/DM.h"
#include "data/Loans.h"
#include "engine/Database.h"
#include "engine/Statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <memory>

namespace import {

namespace {

constexpr int progressEvery = 256;
constexpr qint64 largestPicture = 64LL * 1024 * 1024;

// Windows names files without regard to case, so the old folder may say VIDEO.DB.
QString findEntry(const QString& folder, const QString& name, QDir::Filters filters)
{
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(filters | QDir::Hidden | QDir::NoDotAndDotDot))
        if (entry.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return entry.absoluteFilePath();
    return QString();
}

QByteArray fileStart(const QString& path, int size)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(size);
}

bool looksLikeParadox(const QString& path)
{
    const QByteArray head = fileStart(path, 0x58);
    if (head.size() < 0x58 || head.startsWith("SQLite format 3"))
        return false;
    const int fileType = static_cast<unsigned char>(head.at(4));
    const int version = static_cast<unsigned char>(head.at(0x39));
    return (fileType == 0 || fileType == 2) && version >= 3 && version <= 12;
}

bool sameFolder(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

class Importer {
public:
    Importer(const ImportOptions& options, const ImportProgress& progress) : options_(options), progress_(progress) {}

    ImportReport run()
    {
        report_.sourceFolder = QFileInfo(options_.sourceFolder).absoluteFilePath();
        report_.dryRun = options_.dryRun;
        inPlace_ = sameFolder(options_.sourceFolder, options_.dataFolder);
        locateSources();
        if (!inPlace_ && !options_.replace && !options_.dryRun)
            refuseFullCatalogue();
        const QString stamp =
            buildAndSwap(options_, inPlace_ ? QStringLiteral("Data-paradox-") : QStringLiteral("Data-before-import-"),
                         report_, [this](const QString& folder) { build(folder); });
        if (options_.dryRun)
            return report_;
        if (inPlace_)
            nameMovedSources(report_.keptData);
        if (!inPlace_)
            countPictures(options_.dataFolder, true);
        saveReport(report_, options_.dataFolder, stamp);
        return report_;
    }

private:
    // Converted in place, the old tables now lie in the kept folder: the report says so.
    void nameMovedSources(const QString& kept)
    {
        const QString from = QFileInfo(options_.dataFolder).absoluteFilePath();
        report_.sourceFolder = kept;
        for (TableReport& entry : report_.tables)
            if (entry.source.startsWith(from + QLatin1Char('/')))
                entry.source = kept + entry.source.mid(from.size());
    }

    void locateSources()
    {
        if (!QFileInfo(options_.sourceFolder).isDir())
            throw EImportError(importText("NoFolder", QStringLiteral("Mappen \"%1\" findes ikke."))
                                   .arg(QDir::toNativeSeparators(options_.sourceFolder)));
        bool any = false;
        for (const CatalogueTable& table : catalogueTables()) {
            // Every kind of entry, so that a folder or a pipe under a table's name is refused, not missed.
            const QString path = findEntry(options_.sourceFolder, table.fileName, QDir::AllEntries | QDir::System);
            if (const QString kind = path.isEmpty() ? QString() : unreadableKind(path); !kind.isEmpty())
                throw EImportError(notAFileText(path, kind));
            if (!path.isEmpty() && !looksLikeParadox(path))
                throw EImportError(importText("NotParadox", QStringLiteral("\"%1\" er ikke en Paradox-tabel."))
                                       .arg(QDir::toNativeSeparators(path)));
            sources_ << path;
            any = any || !path.isEmpty();
            if (!path.isEmpty())
                total_ += QFileInfo(path).size();
        }
        if (!any)
            throw EImportError(importText("NoTables", QStringLiteral("Mappen \"%1\" indeholder ingen af katalogets "
                                                                     "Paradox-tabeller (Video.db, Kategori.db, ...)."))
                                   .arg(QDir::toNativeSeparators(options_.sourceFolder)));
        // Without Video.db the new catalogue holds no tape: it never takes the place of one that does.
        if (sources_.first().isEmpty() && !inPlace_ && !options_.dryRun) {
            const qint64 tapes = tapesInCatalogue(options_.dataFolder);
            if (tapes > 0)
                throw EImportError(importText("NoVideoTable", QStringLiteral("Mappen \"%1\" har ingen Video.db; kataloget "
                                                                         "med %2 film erstattes ikke af et uden film."))
                                       .arg(QDir::toNativeSeparators(options_.sourceFolder))
                                       .arg(tapes));
        }
    }

    void refuseFullCatalogue() const
    {
        const qint64 tapes = tapesInCatalogue(options_.dataFolder);
        if (tapes > 0)
            throw ECatalogueNotEmpty(importText("CatalogueNotEmpty",
                                          QStringLiteral("Kataloget indeholder allerede %1 film. Vælg at erstatte det "
                                                         "(den nuværende Data-mappe gemmes som kopi)."))
                                   .arg(tapes));
    }

    void build(const QString& folder)
    {
        data::createCatalogue(folder);
        engine::Database db(folder);
        for (const CatalogueTable& table : catalogueTables()) {
            db.attach(table.fileName);
            // A bounded cache large enough that the indexes are not written out and read back.
            db.exec(QStringLiteral("PRAGMA %1.cache_size = -32768").arg(engine::quoteId(table.table)));
        }
        engine::Transaction transaction(db);
        db.prepareWrite();
        const QStringList indexes = dropTapeIndexesForLoad(db);
        for (int i = 0; i < catalogueTables().size(); ++i)
            importTable(db, catalogueTables()[i], sources_[i]);
        remakeTapeIndexes(
            db, indexes,
            [this] {
                if (progress_ && !progress_(total_, total_))
                    throw core::EAbort();
            },
            !options_.dryRun);
        // Without an old configuration the window sizes and the language the user has now stay.
        if (sources_.last().isEmpty() && !inPlace_ && keepPresentSettings(db, options_.dataFolder))
            report_.table(catalogueTables().last().fileName).notes
                << importText("ConfigKept", QStringLiteral("De nuværende indstillinger beholdes"));
        // The first releases kept no due date: an open loan is due at its date plus the loan period.
        data::fillMissingDueDates(db, QStringLiteral("Udlaan"), data::storedLoanDays(db, QStringLiteral("Config")));
        report_.lookupValuesAdded += addLookupValues(db, true);
        transaction.commit();
        if (options_.dryRun)
            countPictures(folder, false);
    }

    void importTable(engine::Database& db, const CatalogueTable& table, const QString& source)
    {
        TableReport& entry = report_.table(table.fileName);
        if (source.isEmpty())
            return;
        entry.source = source;
        ParadoxReadOptions readOptions;
        readOptions.codePage = options_.codePage;
        ParadoxTable reader(source, readOptions);
        tick(reader);
        const QVector<int> from = matchFields(reader, table, entry);
        const QString sql = insertStatement(table);
        ParadoxRecord record;
        QVector<QVariant> row(table.fields.size());
        while (reader.next(record)) {
            ++entry.read;
            noteBadValues(table, record);
            if (convertRow(table, record, from, row) && storeRow(db, table, sql, row, record.number))
                ++entry.stored;
            if (entry.read % progressEvery == 0)
                tick(reader);
        }
        done_ += reader.fileSize();
        if (reader.recordsRead() != reader.header().recordsInHeader)
            entry.notes << importCountText("CountMismatch", reader.header().recordsInHeader,
                                           QStringLiteral("Tabellens hoved nævner %1 poster; %2 blev fundet"),
                                           QStringLiteral("Tabellens hoved nævner %1 post; %2 blev fundet"))
                               .arg(reader.header().recordsInHeader)
                               .arg(reader.recordsRead());
    }

    static QVector<int> matchFields(const ParadoxTable& reader, const CatalogueTable& table, TableReport& entry)
    {
        QVector<int> from;
        for (const CatalogueField& field : table.fields)
            from << reader.fieldIndex(field.name);
        for (int i = 0; i < reader.fields().size(); ++i)
            if (!from.contains(i))
                entry.ignoredFields << reader.fields()[i].name;
        return from;
    }

    void noteBadValues(const CatalogueTable& table, const ParadoxRecord& record)
    {
        for (const QString& problem : record.problems)
            report_.blanked.push_back(RowNote{table.fileName, record.number, problem});
    }

    bool convertRow(const CatalogueTable& table, const ParadoxRecord& record, const QVector<int>& from,
                    QVector<QVariant>& row)
    {
        try {
            import::convertRow(
                table, [&](int i) { return from[i] < 0 ? QVariant() : record.values[from[i]]; }, row);
            return true;
        } catch (const EImportError& e) {
            report_.refused.push_back(RowNote{table.fileName, record.number, e.message()});
            return false;
        }
    }

    bool storeRow(engine::Database& db, const CatalogueTable& table, const QString& sql, const QVector<QVariant>& row,
                  qint64 number)
    {
        if (table.table == QLatin1String("Config") && configDone_) {
            report_.table(table.fileName).notes << importText("ConfigExtra", QStringLiteral("Kun den første post bruges"));
            return false;
        }
        engine::Statement statement(db, sql, table.fileName);
        for (int i = 0; i < row.size(); ++i)
            statement.bind(i + 1, row[i]);
        statement.run();
        if (statement.changes() > 0) {
            configDone_ = configDone_ || table.table == QLatin1String("Config");
            return true;
        }
        report_.refused.push_back(RowNote{table.fileName, number,
                                          importText("Duplicate", QStringLiteral("%1 \"%2\" findes allerede"))
                                              .arg(table.fields.first().name, row.first().toString())});
        return false;
    }

    void tick(const ParadoxTable& reader)
    {
        if (progress_ && !progress_(done_ + reader.position(), total_))
            throw core::EAbort();
    }

    // Front and back pictures of the imported tapes from the Billeder folder beside the old
    // tables; a picture the program folder has already is never replaced.
    void countPictures(const QString& dataFolder, bool copy)
    {
        const QString oldPictures =
            findEntry(QFileInfo(options_.sourceFolder).absolutePath(), QStringLiteral("Billeder"), QDir::Dirs);
        if (oldPictures.isEmpty() || sameFolder(oldPictures, options_.picturesFolder))
            return;
        QHash<QString, QString> available;
        for (const QFileInfo& entry : QDir(oldPictures).entryInfoList(QDir::Files))
            available.insert(entry.fileName().toLower(), entry.absoluteFilePath());
        try {
            engine::Database db(dataFolder);
            db.attach(QStringLiteral("Video.db"));
            engine::Statement tapes(db, QStringLiteral("SELECT TapeNr FROM \"Video\".\"Video\""));
            while (tapes.step())
                pictureOfTape(tapes.text(0), available, copy);
        } catch (const core::EError& e) {
            report_.pictureProblems << e.message();
        }
    }

    void pictureOfTape(const QString& tapeNr, const QHash<QString, QString>& available, bool copy)
    {
        if (!data::isTapeNrUsableInFileName(tapeNr))
            return;
        for (const char* side : {"Front", "Back"}) {
            const QString name = QString::fromLatin1(side) + tapeNr + QStringLiteral(".jpg");
            const QString source = available.value(name.toLower());
            if (source.isEmpty())
                continue;
            const QString target = QDir(options_.picturesFolder).filePath(name);
            if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
                continue;
            if (!copy || copyPicture(source, target))
                ++report_.picturesCopied;
        }
    }

    bool copyPicture(const QString& source, const QString& target)
    {
        const QFileInfo info(source);
        if (!info.isFile() || info.size() > largestPicture) {
            report_.pictureProblems << importText("PictureSkipped", QStringLiteral("%1 er ikke et billede der kan kopieres"))
                                           .arg(QDir::toNativeSeparators(source));
            return false;
        }
        if (!QDir().mkpath(options_.picturesFolder) || !QFile::copy(source, target)) {
            report_.pictureProblems << importText("PictureNotCopied", QStringLiteral("%1 kunne ikke kopieres"))
                                           .arg(QDir::toNativeSeparators(source));
            return false;
        }
        return true;
    }

    const ImportOptions& options_;
    const ImportProgress& progress_;
    ImportReport report_;
    QStringList sources_;
    qint64 total_ = 0;
    qint64 done_ = 0;
    bool inPlace_ = false;
    bool configDone_ = false;
};

} // namespace

ImportReport importParadox(const ImportOptions& options, const ImportProgress& progress)
{
    return Importer(options, progress).run();
}

bool holdsParadoxTables(const QString& folder)
{
    for (const CatalogueTable& table : catalogueTables()) {
        const QString path = findEntry(folder, table.fileName, QDir::Files);
        if (!path.isEmpty() && looksLikeParadox(path))
            return true;
    }
    return false;
}

int storedLanguage(const QString& dataFolder)
{
    try {
        const QString path = findEntry(dataFolder, QStringLiteral("Config.DB"), QDir::Files);
        if (path.isEmpty())
            return -1;
        if (!looksLikeParadox(path)) {
            engine::Database db(dataFolder);
            db.attach(QFileInfo(path).fileName());
            engine::Statement sprog(db, QStringLiteral("SELECT Sprog FROM \"Config\".\"Config\" ORDER BY rowid LIMIT 1"));
            return sprog.step() ? int(sprog.int64(0)) : -1;
        }
        ParadoxTable config(path);
        ParadoxRecord record;
        const int field = config.fieldIndex(QStringLiteral("Sprog"));
        if (field >= 0 && config.next(record) && record.values[field].isValid())
            return int(record.values[field].toLongLong());
    } catch (const core::EError&) {
        // An unreadable configuration leaves the built-in Danish texts.
    }
    return -1;
}

qint64 tapesInCatalogue(const QString& dataFolder)
{
    if (!QFileInfo::exists(QDir(dataFolder).filePath(QStringLiteral("Video.db"))))
        return 0;
    try {
        engine::Database db(dataFolder);
        db.attach(QStringLiteral("Video.db"));
        engine::Statement count(db, QStringLiteral("SELECT count(*) FROM \"Video\".\"Video\""));
        return count.step() ? count.int64(0) : 0;
    } catch (const core::EError& e) {
        throw ECatalogueNotEmpty(importText("CatalogueUnreadable",
                                      QStringLiteral("Det nuværende katalog kan ikke læses (%1). Vælg at erstatte det "
                                                     "(den nuværende Data-mappe gemmes som kopi)."))
                               .arg(e.message()));
    }
}

} // namespace import
