#pragma once
// Tables of the real schema in a fresh temporary Data folder, opened through the engine, and a
// window to put controls on. Every error box shown during a test must be expected by it.
#include "common/ProgramTest.h"
#include "core/ScriptedDialogs.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Table.h"

#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace dbctrlstest {

class ControlsTest : public testing_support::ProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    /// A table component on a catalogue file with its data source, opened.
    engine::Table& open(const QString& fileName);
    engine::DataSource* sourceOf(engine::Table& table);

    /// Inserts and posts a tape ("Field", "value" pairs for more fields).
    void addTape(const QString& tapeNr, const QString& title,
                 std::initializer_list<std::pair<const char*, QString>> fields = {});
    /// Inserts and posts one row of a lookup table.
    void addLookup(engine::Table& table, const QString& value);
    /// Fills Video.db with count tapes through plain SQL ("000001-00", "Titel 1", ...).
    void fillTapes(int count);

    static QString text(engine::Table& table, const char* field);
    static void setText(engine::Table& table, const char* field, const QString& value);

    /// Shows the window and makes it active, so focus moves between its controls.
    void showWindow();

    std::unique_ptr<engine::Database> db;
    std::vector<std::unique_ptr<engine::Table>> tables;
    std::vector<std::unique_ptr<engine::DataSource>> sources;
    std::unique_ptr<QWidget> window;
};

/// Collects Qt warnings while it lives (the model tester reports through them).
class WarningCollector {
public:
    WarningCollector();
    ~WarningCollector();
    QStringList warnings() const;
};

} // namespace dbctrlstest
