#pragma once
// The registration window on a fresh temporary program folder: a data module with its tables
// open, the language source set up as the main window sets it up, and helpers to fill the
// catalogue and answer modal windows. Every error box shown during a test must be taken by it.
#include "common/TestCatalogue.h"
#include "core/ScriptedDialogs.h"
#include "dbctrls/DBCheckBox.h"
#include "dbctrls/DBEdit.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "forms/RegForm.h"
#include "locale/TQLanguageSource.h"
#include "support/Image.h"

#include <QImage>
#include <QPushButton>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <utility>

namespace regtest {

class RegFixture : public testing_support::CatalogueTest {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Makes a language active (-1 Danish .. 3 German); the language label shows its name
    /// unless a label text is given.
    void useLanguage(int index);
    void setLanguageLabel(const QString& name);

    /// Makes the registration window (once per test).
    forms::TRegForm& regForm();
    /// Shows the registration window (not modally) and makes it active.
    void showRegForm();
    /// Clicks "Ny VHS/DVD", types this tape number over the proposed one, and types the title.
    void typeNewTape(const QString& tapeNr, const QString& title);

    /// Adds a loan of a tape (the current tape is moved to it).
    void addLoan(const QString& tapeNr, const QString& name);
    /// The values of a field over every row of a table (its whole view).
    static QStringList column(engine::Table& table, const char* field);
    static QString text(engine::Table& table, const char* field);
    /// Rows of Medvirker.db of every tape, re-read.
    QStringList allCast(const char* field);

    /// Writes a JPEG picture of that size and colour.
    static void writeJpeg(const QString& path, QSize size, QColor colour);
    QString picturesDir() const;

    /// Runs action on the next modal window once it shows; the action closes it.
    static void whenModalShows(std::function<void(QWidget*)> action);

    std::unique_ptr<locale::TQLanguageSource> languages;
    std::unique_ptr<forms::TRegForm> form;
    QString labelOverride;
};

} // namespace regtest
