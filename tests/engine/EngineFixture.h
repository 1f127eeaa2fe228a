#pragma once
// Temporary table folders for engine tests: files made with the catalogue's own schema or
// with plain SQL, read back with a connection of their own (not the engine's).
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Table.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace enginetest {

/// Runs statements on a file with a connection of its own; creates the file when missing.
void execOn(const QString& path, const QString& sql);
/// The first column of the first row, read with a connection of its own.
QVariant scalarOn(const QString& path, const QString& sql);
/// Makes a file with the catalogue schema's statements for that file name.
void createCatalogueFile(const QString& dataDir, const QString& fileName);

/// The message of the EError an action throws, or "" when it throws none.
QString errorOf(const std::function<void()>& action);

/// Records what a data source tells one control, into a log shared by several links.
class RecordingLink : public engine::DataLink {
public:
    RecordingLink(QString name, QStringList& log, Kind kind = Kind::Field)
        : name_(std::move(name)), log_(log), kind_(kind) {}
    ~RecordingLink() override { setDataSource(nullptr); }
    Kind linkKind() const override { return kind_; }
    void activeChanged() override { log_ << name_ + QStringLiteral(":active"); }
    void dataSetChanged() override { log_ << name_ + QStringLiteral(":changed"); }
    void dataSetScrolled() override { log_ << name_ + QStringLiteral(":scrolled"); }
    void recordChanged(engine::Field* field) override;
    void editingChanged() override { log_ << name_ + QStringLiteral(":editing"); }
    void updateData() override;
    /// Runs inside updateData, as a bound edit writes its pending text.
    std::function<void()> onUpdateData;

private:
    QString name_;
    QStringList& log_;
    Kind kind_;
};

/// A table folder with the catalogue's Video.db and Medvirker.db (more on request), one
/// Database, and helpers to add rows directly.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    QString dataDir() const { return dir_.path() + QStringLiteral("/Data"); }
    QString file(const QString& name) const { return dataDir() + QLatin1Char('/') + name; }
    engine::Database& db() { return *db_; }
    /// A new table component on a file, opened.
    engine::Table& open(const QString& fileName);
    engine::Table& table(const QString& fileName);

    void addTape(const QString& tapeNr, const QString& title, const QString& category = QString(),
                 const QString& type = QString());
    void addCast(const QString& tapeNr, const QString& actor, const QString& role = QString());
    qint64 countOf(const QString& fileName, const QString& where = QString());

    /// The values of one field over the whole view, walking First..Eof.
    static QStringList walk(engine::Table& table, const QString& field);

private:
    QTemporaryDir dir_;
    std::unique_ptr<engine::Database> db_;
    std::vector<std::unique_ptr<engine::Table>> tables_;
};

} // namespace enginetest
