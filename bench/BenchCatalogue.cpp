#include "BenchCatalogue.h"

#include "data/FieldTable.h"
#include "data/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <map>
#include <random>
#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {
const char* const kWords[] = {"den", "store", "flugt", "nat", "over", "byen", "æbler", "øen", "på", "ågerup",
                              "kærlighed", "og", "død", "i", "Köln", "sommer", "Émile", "vinter", "hævn", "skyggen",
                              "mørke", "lys", "rejsen", "til", "månen", "hjem", "igen", "sidste", "første", "dag"};
const char* const kTypes[] = {"VHS", "DVD", "Betamax", "Video 8", "Blu-ray"};

void exec(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(message + " in " + sql.toStdString());
    }
}

sqlite3* openFile(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path.toStdString());
    return db;
}

class Inserter {
public:
    Inserter(sqlite3* db, const char* sql) : db_(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Inserter() { sqlite3_finalize(statement_); }
    void insert(const QStringList& values)
    {
        std::vector<QByteArray> keep;
        for (int i = 0; i < values.size(); ++i) {
            keep.push_back(values.at(i).toUtf8());
            sqlite3_bind_text(statement_, i + 1, keep.back().constData(), int(keep.back().size()), SQLITE_STATIC);
        }
        if (sqlite3_step(statement_) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db_));
        sqlite3_reset(statement_);
    }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

QString words(std::mt19937& random, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::fromUtf8(kWords[random() % std::size(kWords)]);
    return list.join(QLatin1Char(' '));
}
} // namespace

BenchCatalogue& BenchCatalogue::of(int tapes)
{
    static std::map<int, std::unique_ptr<BenchCatalogue>> catalogues;
    auto& slot = catalogues[tapes];
    if (!slot) {
        slot.reset(new BenchCatalogue(tapes));
        if (!QFileInfo::exists(slot->dataDir() + QStringLiteral("/Video.db")))
            slot->generate();
    }
    return *slot;
}

BenchCatalogue::BenchCatalogue(int tapes) : tapes_(tapes)
{
    const QString kept = qEnvironmentVariable("SPK_BENCH_DIR");
    root_ = kept.isEmpty() ? dir_.path() : QStringLiteral("%1/catalogue-%2").arg(kept).arg(tapes);
    for (int i = 0; i < 20; ++i)
        categories_ << QStringLiteral("Kategori %1").arg(i);
}

BenchCatalogue::~BenchCatalogue()
{
    if (baseline_)
        sqlite3_close(baseline_);
}

QString BenchCatalogue::tapeNr(int i)
{
    return QStringLiteral("%1-00").arg(i + 1, 4, 10, QLatin1Char('0'));
}

QString BenchCatalogue::title(int i) const
{
    std::mt19937 random(unsigned(i) * 7919u + 17u);
    return words(random, 2 + int(random() % 3)) + QStringLiteral(" %1").arg(i);
}

void BenchCatalogue::generate()
{
    QDir().mkpath(dataDir());
    for (const auto& file : data::catalogueFiles()) {
        sqlite3* db = openFile(dataDir() + QLatin1Char('/') + file.fileName);
        exec(db, file.statements.join(QStringLiteral(";\n")));
        if (file.fileName == QLatin1String("Config.DB"))
            exec(db, data::configSeedStatement());
        sqlite3_close(db);
    }
    std::mt19937 random(4711);
    sqlite3* db = openFile(dataDir() + QStringLiteral("/Video.db"));
    exec(db, QStringLiteral("ATTACH '%1/Medvirker.db' AS m; ATTACH '%1/Kategori.db' AS k; ATTACH '%1/Udlaan.db' AS u; BEGIN")
                 .arg(dataDir()));
    {
        // The values of the first version's fields, in the field table's order; later fields
        // keep their defaults.
        const QString columns = data::tableSpec(QStringLiteral("Video.db")).namesAt(0).join(QStringLiteral(", "));
        Inserter tape(db, QStringLiteral("INSERT INTO Video(%1) VALUES (?1, ?2, '01:30', '03:15', '01:45:00', ?3, "
                                         "'Original', '03:00', ?4, ?5, ?6, ?7, ?8, 'Maxell', ?9)")
                              .arg(columns)
                              .toUtf8()
                              .constData());
        Inserter cast(db, "INSERT INTO m.Medvirker(Tapenr, Titel, Skuespiller, Rolle) VALUES (?1, ?2, ?3, ?4)");
        for (int i = 0; i < tapes_; ++i) {
            const QString number = tapeNr(i);
            const QString name = title(i);
            QString description = words(random, 180);
            description.truncate(1024);
            tape.insert({number, name, QString::fromUtf8(kTypes[random() % std::size(kTypes)]),
                         categories_.at(int(random() % unsigned(categories_.size()))),
                         random() % 10 == 0 ? QStringLiteral("Ja") : QStringLiteral("Nej"),
                         QStringLiteral("Instruktør %1").arg(random() % 200), QStringLiteral("Optager %1").arg(random() % 10),
                         QStringLiteral("20%1-0%2-1%3").arg(10 + random() % 14).arg(1 + random() % 9).arg(random() % 10),
                         description});
            for (int c = 0; c < 3; ++c)
                cast.insert({number, name, QStringLiteral("Skuespiller %1").arg(random() % 2000), words(random, 2)});
        }
        Inserter category(db, "INSERT INTO k.Kategori(Kategori) VALUES (?1)");
        for (const QString& name : std::as_const(categories_))
            category.insert({name});
    }
    // Two loans a tape over a year, one in fifty not back: some of those are overdue.
    for (int round = 0; round < 2; ++round)
        exec(db, QStringLiteral("INSERT INTO u.Udlaan(Tapenr, Dato, Navn, Returneret, Forfald) "
                                "SELECT TapeNr, date('2026-01-01', '+' || ((rowid + %1) % 330) || ' days'), "
                                "'Låner ' || ((rowid + %1) % 500), "
                                "CASE WHEN (rowid + %1) % 50 = 0 THEN 'Nej' ELSE 'Ja' END, "
                                "date('2026-01-31', '+' || ((rowid + %1) % 330) || ' days') FROM Video")
                     .arg(round * 97));
    exec(db, QStringLiteral("COMMIT"));
    sqlite3_close(db);
}

sqlite3* BenchCatalogue::baseline()
{
    if (!baseline_) {
        baseline_ = openFile(dataDir() + QStringLiteral("/Video.db"));
        exec(baseline_, QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA synchronous=EXTRA; ATTACH '%1/Udlaan.db' AS Udlaan")
                            .arg(dataDir()));
    }
    return baseline_;
}

} // namespace bench
