#pragma once
// The browsing windows' tests: a data module on a fresh temporary program folder with its
// tables open, helpers to fill the catalogue, a language source like the main window's, and
// a way to answer a modal window that a click opens.
#include "common/TestCatalogue.h"
#include "core/ScriptedDialogs.h"
#include "locale/TQLanguageSource.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <utility>

namespace browsetest {

class BrowseTest : public testing_support::CatalogueTest {
protected:
    void SetUp() override;
    void TearDown() override;

    engine::Table& video() { return *dm->VideoTable; }
    /// Adds a cast row to the tape with that number through MedvirkTable.
    void addCast(const QString& tapeNr, const QString& actor, const QString& role = QString());
    /// Adds count tapes through plain SQL in one statement: "0001-00", "Titel 1", the given
    /// description; then re-reads VideoTable.
    void fillTapes(int count, const QString& description);
    /// Tape number of VideoTable's current record.
    QString currentTape();
    /// Tape numbers VideoTable presents, in its order.
    QStringList tapesShown();

    /// Makes a language active through a source set up like the main window's, and sets the
    /// windows' context to it (index -1: Danish).
    void useLanguage(int index);

    std::unique_ptr<locale::TQLanguageSource> languages;
};

/// Runs action (a click that opens a modal window) and, once that window is open, calls
/// inspect with it and closes it. Returns false when no modal window opened.
bool whileModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inspect);

/// The five language indexes, -1 (Danish) to 3 (Deutsch).
constexpr int kLanguages[] = {-1, 0, 1, 2, 3};

} // namespace browsetest
