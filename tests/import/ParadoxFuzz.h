#pragma once
// The mutation loop shared by the fuzz test in the suite and the stand-alone fuzz program:
// valid tables from the writer, damaged at random, read to the end.
#include "ParadoxWriter.h"

#include <QString>
#include <QVector>
#include <random>

namespace paradoxtest {

/// One table's files in memory, plus the layout the writer reported for the undamaged copy.
struct FuzzSeed {
    TableSpec spec;
    WrittenTable table;
};

/// A few valid tables covering the versions, the blob kinds and a scrambled block chain.
QVector<FuzzSeed> fuzzSeeds();

/// The files of one damaged input.
struct FuzzInput {
    QByteArray db;
    QByteArray mb;
    bool hasMb = false;
};

/// Applies one to four random mutations of the kinds real damage takes.
FuzzInput mutate(const FuzzSeed& seed, std::mt19937& rng);

/// Writes the input as the seed's files in folder and reads every record with binary kinds on.
/// Returns false when the reader refused the table with EImportError; any other exception
/// passes through to the caller.
bool readMutated(const QString& folder, const FuzzSeed& seed, const FuzzInput& input,
                 qint64* records = nullptr);

} // namespace paradoxtest
