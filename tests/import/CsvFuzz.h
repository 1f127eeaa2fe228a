#pragma once
// The mutation loop shared by the fuzz test in the suite and the stand-alone fuzz program:
// valid text files of the kinds spreadsheets and the export write, damaged at random.
#include <QByteArray>
#include <QString>
#include <QVector>
#include <random>

namespace csvtest {

/// A few valid files: the export's form (Windows-1252, ';', quoted, CR LF), UTF-8 with a
/// mark and commas, UTF-16 with tabs, fields with quotes and line breaks inside.
QVector<QByteArray> fuzzSeeds();

/// Applies one to four random mutations: bytes changed, quotes, separators, line ends and NULs
/// put in, parts cut out or repeated, the end cut off.
QByteArray mutate(const QByteArray& seed, std::mt19937& rng);

/// Writes the input to path and reads every record. Returns the number of records, or -1 when
/// the reader refused the file with EImportError; any other exception passes through.
qint64 readMutated(const QString& path, const QByteArray& input);

} // namespace csvtest
