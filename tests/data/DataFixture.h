#pragma once
// A data module on a fresh temporary program folder, with its tables open.
#include "common/TempProgramFolder.h"
#include "core/Dialogs.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"

#include <gtest/gtest.h>
#include <memory>

class DataFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    core::ScriptedDialogs& dialogs() { return static_cast<core::ScriptedDialogs&>(core::dialogs()); }
    /// Inserts and posts a tape with the given fields ("Field", "value", ...).
    void addTape(const QString& tapeNr, const QString& title, std::initializer_list<std::pair<const char*, QString>> fields = {});
    /// Adds a cast row to the current tape through MedvirkTable.
    void addCast(const QString& actor, const QString& role = QString());
    QStringList column(engine::Table& table, const QString& field);
    QString text(engine::Table& table, const char* field) { return table.FieldByName(QString::fromLatin1(field)).AsString(); }

    std::unique_ptr<testing_support::TempProgramFolder> folder;
    std::unique_ptr<data::TDM> dm;
};
