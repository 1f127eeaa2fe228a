#include "CsvImport.h"

#include "CatalogueBuild.h"
#include "CatalogueImport.h"
#include "CsvReader.h"
#include "ImportError.h"
#include "ImportTexts.h"
#include "ScratchFolder.h"
#include "ValueConversion.h"
#include "catalogue/FolderSwap.h"
#include "core/Errors.h"
#include "data/CatalogueCheck.h"
#include "data/CatalogueFolder.h"
#include "data/FieldTable.h"
#include "data/Fields.h"
#include "data/TextIndex.h"
#include "engine/Database.h"
#include "engine/Statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace import {

namespace fields = data::fields;

namespace {

constexpr int progressEvery = 256;

// The overview grid's column titles of every language file, folded to lower case, with the
// field each names: a spreadsheet made from what the user sees may carry them.
QHash<QString, QString>& overviewTitles()
{
    static QHash<QString, QString> titles;
    return titles;
}

const CatalogueTable& videoTable()
{
    return catalogueTables().first();
}

// The export writes a text a spreadsheet would run as a formula, and a text that starts with
// an apostrophe, behind one more apostrophe; exactly that one comes off here, so the export's
// own file reads back as it was written.
QString withoutTextMark(const QString& value)
{
    return value.startsWith(QLatin1Char('\'')) ? value.mid(1) : value;
}

bool isBlank(const CsvRecord& record)
{
    for (const QString& field : record.fields)
        if (!field.isEmpty())
            return false;
    return record.problem.isEmpty();
}

class CsvImporter {
public:
    CsvImporter(const QString& file, const ImportOptions& options, const ImportProgress& progress)
        : file_(QFileInfo(file).absoluteFilePath()), options_(options), progress_(progress), reader_(file_)
    {
    }

    ImportReport run()
    {
        report_.sourceFolder = file_;
        report_.dryRun = options_.dryRun;
        report_.byLine = true;
        readHeader();
        if (!options_.replace && tapesInCatalogue(options_.dataFolder) > 0)
            return addToCatalogue();
        const QString stamp = buildAndSwap(options_, QStringLiteral("Data-before-import-"), report_,
                                           [this](const QString& folder) { build(folder); });
        if (!options_.dryRun)
            saveReport(report_, options_.dataFolder, stamp);
        return report_;
    }

private:
    void readHeader()
    {
        TableReport& entry = report_.table(videoTable().fileName);
        entry.source = file_;
        entry.notes << importText("FileForm", QStringLiteral("Tegnsæt %1, skilletegn %2"))
                           .arg(encodingName(reader_.encoding()),
                                reader_.separator() == QLatin1Char('\t') ? importText("TabName", QStringLiteral("tabulator"))
                                                                         : QString(reader_.separator()));
        CsvRecord header;
        if (!reader_.next(header) || !header.problem.isEmpty())
            throw EImportError(importText("NoHeader", QStringLiteral("Første linje i \"%1\" er ikke en række kolonneoverskrifter."))
                                   .arg(QDir::toNativeSeparators(file_)));
        from_.fill(-1, videoTable().fields.size());
        for (int column = 0; column < header.fields.size(); ++column)
            matchColumn(header.fields[column], column, entry);
        if (from_.first() < 0)
            throw EImportError(importText("NoTapeColumn", QStringLiteral("\"%1\" har ingen kolonne med båndnummeret (TapeNr)."))
                                   .arg(QDir::toNativeSeparators(file_)));
    }

    void matchColumn(const QString& title, int column, TableReport& entry)
    {
        const QString field = fieldOfColumn(title);
        int index = -1;
        for (int i = 0; i < videoTable().fields.size() && !field.isEmpty(); ++i)
            if (videoTable().fields[i].name == field)
                index = i;
        if (index >= 0 && from_[index] < 0)
            from_[index] = column;
        else
            entry.ignoredFields << (title.isEmpty() ? QStringLiteral("\"\"") : title);
    }

    // A transaction over the tables the rows touch: SQLite's journals undo all of it after a
    // crash, so the catalogue holds every new tape or none, and Data stays where it is.
    ImportReport addToCatalogue()
    {
        if (!options_.dryRun) {
            addInto(options_.dataFolder);
            saveReport(report_, options_.dataFolder, catalogue::folderStamp());
            return report_;
        }
        const ScratchFolder scratch;
        for (const QString& name : addedTables())
            if (!QFile::copy(QDir(options_.dataFolder).filePath(name), QDir(scratch.path()).filePath(name)))
                throw EImportError(importText("FileUnreadable", QStringLiteral("Filen \"%1\" kan ikke læses."))
                                       .arg(QDir::toNativeSeparators(QDir(options_.dataFolder).filePath(name))));
        addInto(scratch.path());
        return report_;
    }

    static QStringList addedTables()
    {
        return {QStringLiteral("Video.db"), QStringLiteral("Kategori.db"), QStringLiteral("Instruktor.db"),
                QStringLiteral("Optagetaf.db")};
    }

    void addInto(const QString& folder)
    {
        engine::Database db(folder);
        for (const QString& name : addedTables()) {
            // New rows carry every field of the program's version: an older file is upgraded
            // by the program's opening (or the import command) first.
            const QString schema = db.attach(name);
            data::refuseOlderFile(db.filePath(schema), db.scalar(QStringLiteral("PRAGMA \"%1\".user_version").arg(schema)).toInt());
        }
        engine::Statement numbers(db, QStringLiteral("SELECT TapeNr FROM \"Video\".\"Video\""));
        while (numbers.step())
            existing_.insert(numbers.text(0));
        writeRows(db);
    }

    void build(const QString& folder)
    {
        data::createCatalogue(folder);
        engine::Database db(folder);
        for (const CatalogueTable& table : catalogueTables())
            db.attach(table.fileName);
        if (QFileInfo(options_.dataFolder).isDir() && keepPresentSettings(db, options_.dataFolder))
            report_.table(videoTable().fileName).notes
                << importText("ConfigKept", QStringLiteral("De nuværende indstillinger beholdes"));
        writeRows(db, true);
        refuseEmptyReplacement();
    }

    // Like the Paradox import's folder without Video.db: a file that gives no tape (only a
    // header, or every row refused) never takes the place of a catalogue that holds some.
    void refuseEmptyReplacement()
    {
        if (report_.table(videoTable().fileName).stored > 0)
            return;
        const qint64 tapes = tapesInCatalogue(options_.dataFolder);
        if (tapes <= 0)
            return;
        QString message = importText("NoTapesStored", QStringLiteral("Ingen film fra \"%1\" kan gemmes; kataloget med %2 "
                                                                     "film erstattes ikke af et uden film."))
                              .arg(QDir::toNativeSeparators(file_))
                              .arg(tapes);
        if (!report_.refused.empty())
            message += QLatin1Char(' ') + importText("FirstRefused", QStringLiteral("Linje %1: %2"))
                                              .arg(report_.refused.front().record)
                                              .arg(report_.refused.front().reason);
        throw EImportError(message);
    }

    void writeRows(engine::Database& db, bool newCatalogue = false)
    {
        db.exec(QStringLiteral("PRAGMA \"Video\".cache_size = -32768"));
        engine::Transaction transaction(db);
        db.prepareWrite();
        const QStringList indexes = newCatalogue ? dropTapeIndexesForLoad(db) : QStringList();
        // Damage met part-way would end the transaction: the index is checked first (some
        // seconds per 100,000 tapes), and made again when it is damaged.
        if (!newCatalogue)
            data::mendDamagedTextIndex(db, QStringLiteral("Video"));
        TableReport& entry = report_.table(videoTable().fileName);
        const QString sql = insertStatement(videoTable());
        QVector<QVariant> row(videoTable().fields.size());
        CsvRecord record;
        while (reader_.next(record)) {
            if (isBlank(record))
                continue;
            ++entry.read;
            if (convert(record, row) && store(db, sql, row, record.line))
                ++entry.stored;
            if (entry.read % progressEvery == 0)
                tick();
        }
        if (newCatalogue)
            remakeTapeIndexes(db, indexes, [this] { tick(); });
        report_.lookupValuesAdded += addLookupValues(db, false);
        tick();
        transaction.commit();
    }

    bool convert(const CsvRecord& record, QVector<QVariant>& row)
    {
        try {
            if (!record.problem.isEmpty())
                throw EImportError(record.problem);
            convertRow(
                videoTable(),
                [&](int i) { return from_[i] < 0 || from_[i] >= record.fields.size() ? QVariant() : QVariant(withoutTextMark(record.fields[from_[i]])); },
                row);
            return true;
        } catch (const EImportError& e) {
            refuse(record.line, e.message());
            return false;
        }
    }

    bool store(engine::Database& db, const QString& sql, const QVector<QVariant>& row, qint64 line)
    {
        engine::Statement statement(db, sql, videoTable().fileName);
        for (int i = 0; i < row.size(); ++i)
            statement.bind(i + 1, row[i]);
        statement.run();
        if (statement.changes() > 0)
            return true;
        const QString tapeNr = row.first().toString();
        if (existing_.contains(tapeNr))
            report_.skipped << tapeNr;
        else
            refuse(line, importText("Duplicate", QStringLiteral("%1 \"%2\" findes allerede")).arg(fields::TapeNr, tapeNr));
        return false;
    }

    void refuse(qint64 line, const QString& reason)
    {
        report_.refused.push_back(RowNote{QFileInfo(file_).fileName(), line, reason});
    }

    void tick()
    {
        if (progress_ && !progress_(reader_.position(), reader_.fileSize()))
            throw core::EAbort();
    }

    QString file_;
    const ImportOptions& options_;
    const ImportProgress& progress_;
    CsvReader reader_;
    ImportReport report_;
    QVector<int> from_;
    QSet<QString> existing_;
};

} // namespace

void setOverviewTitles(const QList<QStringList>& titlesPerLanguage)
{
    QStringList shown;
    for (const data::FieldSpec& field : data::tableSpec(QStringLiteral("Video.db")).fields)
        if (field.gridWidth > 0)
            shown << QString::fromLatin1(field.name);
    QHash<QString, QString> titles;
    for (const QStringList& language : titlesPerLanguage)
        for (int i = 0; i < language.size() && i < shown.size(); ++i)
            titles.insert(language[i].trimmed().toLower(), shown[i]);
    overviewTitles() = titles;
}

QString fieldOfColumn(const QString& title)
{
    const QString wanted = title.trimmed();
    for (const CatalogueField& field : videoTable().fields)
        if (wanted.compare(field.name, Qt::CaseInsensitive) == 0)
            return field.name;
    return overviewTitles().value(wanted.toLower());
}

ImportReport importCsv(const QString& file, const ImportOptions& options, const ImportProgress& progress)
{
    return CsvImporter(file, options, progress).run();
}

} // namespace import
