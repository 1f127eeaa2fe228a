#pragma once
// A generated catalogue in a temporary table folder: N tapes with three cast rows each and
// descriptions of about 1 KB, made once per size with the real schema, plus a plain SQLite
// connection on its files for hand-written baselines. With SPK_BENCH_DIR set, catalogues
// are kept in that folder and reused by later runs.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

struct sqlite3;

namespace bench {

class BenchCatalogue {
public:
    /// The catalogue of this many tapes, generated on first use.
    static BenchCatalogue& of(int tapes);
    ~BenchCatalogue();

    QString dataDir() const { return root_ + QStringLiteral("/Data"); }
    int tapes() const { return tapes_; }
    /// Tape number and title of tape i (0-based), as generated.
    static QString tapeNr(int i);
    QString title(int i) const;
    const QStringList& categories() const { return categories_; }

    /// A plain connection with the engine's durability settings, on the named files
    /// attached by their table names (the first one is main).
    sqlite3* baseline();

private:
    explicit BenchCatalogue(int tapes);
    void generate();

    int tapes_;
    QTemporaryDir dir_;
    QString root_;
    QStringList categories_;
    sqlite3* baseline_ = nullptr;
};

} // namespace bench
