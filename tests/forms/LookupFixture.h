#pragma once
// A lookup window over a fresh catalogue: the data module with its tables open, the main
// window's language source with the four language files of the built program folder, and
// the language label the windows read.
#include "TestLanguages.h"
#include "common/TestCatalogue.h"
#include "core/ScriptedDialogs.h"
#include "forms/LookupForm.h"
#include "forms/LookupMembers.h"
#include "locale/TQLanguageSource.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace lookuptest {

class LookupTest : public testing_support::CatalogueTest {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Makes a language active (-1 Dansk .. 3 Deutsch); the label follows it.
    void setLanguage(int index);
    /// The member's window, created and shown (FormShow has run).
    forms::TLookupForm& open(forms::LookupMember member, const QSize& screen = QSize());
    /// The member's window, created but not shown.
    forms::TLookupForm& create(forms::LookupMember member, const QSize& screen = QSize());

    /// The member's table and its entries in the table's order.
    engine::Table& tableOf(forms::LookupMember member) const;
    QStringList entries(forms::LookupMember member) const;
    /// Inserts and posts entries straight into the member's table.
    void addEntries(forms::LookupMember member, const QStringList& values);
    /// The texts of the grid's first column, row by row.
    QStringList gridTexts() const;

    /// Runs a menu item as the user does (through the guard).
    static void trigger(QAction* action);
    std::unique_ptr<locale::TQLanguageSource> languages;
    /// Overrides the label's text when set (the label normally names the active language).
    QString labelOverride;
    std::unique_ptr<forms::TLookupForm> window;
};

using testing_support::languageName;

} // namespace lookuptest
