#pragma once
// What the reader's tests share: reading a whole table, catching its refusal, and comparing a
// value with the contract's type and value.
#include "ParadoxWriter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

namespace paradoxtest {

using import::EImportError;
using import::ParadoxReadOptions;
using import::ParadoxRecord;
using import::ParadoxTable;

struct ReadResult {
    import::ParadoxHeader header;
    QVector<import::ParadoxField> fields;
    QVector<ParadoxRecord> records;
};

inline ReadResult readAll(const QString& path, const ParadoxReadOptions& options = {})
{
    ParadoxTable table(path, options);
    ReadResult r{table.header(), table.fields(), {}};
    ParadoxRecord rec;
    while (table.next(rec))
        r.records.append(rec);
    EXPECT_EQ(table.recordsRead(), r.records.size());
    return r;
}

// The message of the EImportError the table raises anywhere from opening to its last record.
inline QString refusal(const QString& path, const ParadoxReadOptions& options = {})
{
    try {
        readAll(path, options);
    } catch (const EImportError& e) {
        return e.message();
    }
    return QString();
}

inline bool isBlank(const QVariant& v)
{
    return !v.isValid() || v.isNull();
}

inline std::string show(const QVariant& v)
{
    if (isBlank(v))
        return "null";
    if (v.metaType().id() == QMetaType::QByteArray)
        return "bytes[" + std::to_string(v.toByteArray().size()) + "]";
    return std::string(v.metaType().name()) + ":" + v.toString().toStdString();
}

// Same kind (the contract's types) and same value.
inline ::testing::AssertionResult sameValue(const QVariant& got, const QVariant& want)
{
    if (isBlank(want))
        return isBlank(got) ? ::testing::AssertionSuccess()
                            : ::testing::AssertionFailure() << "want null, got " << show(got);
    if (isBlank(got) || got.metaType() != want.metaType())
        return ::testing::AssertionFailure() << "want " << show(want) << ", got " << show(got);
    bool equal = false;
    switch (want.metaType().id()) {
    case QMetaType::QDateTime:
        equal = got.toDateTime().date() == want.toDateTime().date() &&
                got.toDateTime().time() == want.toDateTime().time();
        break;
    case QMetaType::Double:
        equal = got.toDouble() == want.toDouble();
        break;
    default:
        equal = got == want;
    }
    return equal ? ::testing::AssertionSuccess()
                 : ::testing::AssertionFailure() << "want " << show(want) << ", got " << show(got);
}

inline QVariant i64(qint64 v)
{
    return QVariant::fromValue(v);
}

inline QVariant raw(const QByteArray& bytes)
{
    return QVariant::fromValue(RawBytes{bytes});
}

inline QVariant placed(const QByteArray& data, BlobPlace place)
{
    return QVariant::fromValue(BlobValue{data, place});
}

inline QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class ParadoxTableTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString folder() const { return dir_.path(); }
    QString write(const TableSpec& spec) { return writeTable(folder(), spec); }
    QTemporaryDir dir_;
};

} // namespace paradoxtest
