#pragma once
// The data module: the ten table components over the nine table files, their data sources,
// and the record rules bound to their events. One instance, DM, lives for the whole run;
// every window works on its cursors.
//
// Ownership: the module owns its connection, tables and data sources, and destroys them in
// the reverse of that order (sources, tables, connection); the public table and source
// pointers are non-owning names for them.
#include "CatalogueCheck.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Table.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace data {

class TDM : public QObject {
    Q_OBJECT
public:
    /// dataDir: the table folder; nothing is opened until OpenTables.
    explicit TDM(const QString& dataDir, QObject* parent = nullptr);
    ~TDM() override;

    engine::Database& database() { return *db_; }

    engine::Table* VideoTable = nullptr;
    engine::Table* KatTable = nullptr;
    engine::Table* UdlaanTable = nullptr;
    engine::Table* TypeTable = nullptr;
    engine::Table* InstruktorTable = nullptr;
    engine::Table* OptagetTable = nullptr;
    engine::Table* SkuespilTable = nullptr;
    engine::Table* MedvirkTable = nullptr;
    engine::Table* MedvirkAllTable = nullptr;
    engine::Table* ConfigTable = nullptr;

    engine::DataSource* VideoSource = nullptr;
    engine::DataSource* KatSource = nullptr;
    engine::DataSource* UdlaanSource = nullptr;
    engine::DataSource* TypeSource = nullptr;
    engine::DataSource* InstruktorSource = nullptr;
    engine::DataSource* OptagetSource = nullptr;
    engine::DataSource* SkuespilSource = nullptr;
    engine::DataSource* MedvirkSource = nullptr;
    engine::DataSource* MedvirkAllSource = nullptr;
    engine::DataSource* ConfigSource = nullptr;

    /// Opens the ten tables in the start-up order. The nine files are checked first, so a
    /// missing, damaged or foreign file stops it before any table opens; a later error stops
    /// the sequence there and the tables after it stay closed.
    void OpenTables();
    /// Checks the nine table files as OpenTables does first, opening no table; throws
    /// EDatabaseError naming the first file found missing, damaged, foreign or newer than the
    /// program. Only when all passed, files of an older schema version go to Upgrade (without
    /// one they are refused) and an older Video.db gets the selection indexes it lacks.
    void CheckTables();
    /// Brings the files of an older schema version up to the program's; installed by whoever
    /// owns the data module (the catalogue layer's upgrade). Runs before any table opens.
    std::function<void(TDM&, const std::vector<FileVersion>&)> Upgrade;
    /// Closes the ten tables and lets go of their files, so that OpenTables opens what the
    /// folder holds then (the import puts a new Data in place between the two).
    void CloseTables();
    /// The tables in start-up order.
    std::vector<engine::Table*> startupOrder() const;

    // Record rules.
    void VideoTableBeforePost(engine::Table& table);
    void VideoTableAfterPost(engine::Table& table);
    void VideoTableBeforeDelete(engine::Table& table);
    void MedvirkTableBeforeInsert(engine::Table& table);
    void MedvirkTableAfterInsert(engine::Table& table);
    void MedvirkTableAfterPost(engine::Table& table);
    void UdlaanTableAfterInsert(engine::Table& table);
    void UdlaanTableBeforePost(engine::Table& table);
    void UdlaanTableBeforeDelete(engine::Table& table);
    /// A cast row or loan is stored only under the number of a tape of the catalogue; returns
    /// the number the row has in its file (empty while inserting).
    QString CheckTapeOfRow(engine::Table& table);

    /// Today's date for the loan rules; tests set another.
    std::function<QDate()> Today = [] { return QDate::currentDate(); };
    /// The loan period in days from the configuration (the default when it holds none).
    int loanDays();

    /// One past the highest tape number of the numbering's own form (digits, then "-00"; at
    /// most 18 digits read) in the whole table, as "0000-00"; "0001-00" when none. Numbers of
    /// any other form take no part. Call after the pending record is settled.
    QString NextTapeNr();
    /// The distinct non-empty values of a tape field (Video), in alphabetical order whatever the case.
    QStringList usedValues(const char* field);
    /// A new tape: settles the pending record by moving to the last tape, inserts a record, writes
    /// the next tape number (one past the highest of the whole table) into its field and "Nej" into
    /// Udlaan. Returns the number. Nothing is inserted when the pending record cannot be settled.
    QString insertNewTape();

    /// Integer field of the configuration record (empty reads as 0).
    int configInteger(const QString& field);
    /// Writes fields of the configuration record in one edit and posts.
    void storeConfig(const std::vector<std::pair<QString, qint64>>& values);

private:
    engine::Table* makeTable(const QString& fileName, engine::DataSource*& source, const char* name);
    void bindRules();
    void addLookupValue(engine::Table& lookup, const QString& field, const QString& value);
    /// The tape number the row in edit state has in its file; empty while inserting.
    QString storedTapeNr(engine::Table& table);

    // Declared in the order they are needed, so they are destroyed in the reverse of it.
    std::unique_ptr<engine::Database> db_;
    std::vector<std::unique_ptr<engine::Table>> tables_;
    std::vector<std::unique_ptr<engine::DataSource>> sources_;
    bool lentFlagWritten_ = false; ///< a loan rule wrote Video.Udlaan in the open post or delete
};

/// The one data module of the running program (not owned; set by its owner).
extern TDM* DM;

/// A tape number's designed width: longer numbers are refused, never cut.
constexpr int kTapeNrWidth = 7;

/// True for a tape number the catalogue may hold: at most seven characters, or longer only
/// in the form the numbering itself reaches past 9999-00 (digits and "-00", as 10000-00).
bool isTapeNrLengthAllowed(const QString& tapeNr);

/// Why the catalogue refuses a tape number, by the one rule every way in applies (the
/// windows' posts, both imports).
enum class TapeNrFault { None, TooLong, ControlCharacter };

/// The fault of a tape number: too long (isTapeNrLengthAllowed), or holding a control
/// character (a tab, a line break, ...); None when the catalogue may hold it.
TapeNrFault tapeNrFault(const QString& tapeNr);

/// True when a tape number can be part of a cover picture's file name: no path separators,
/// no "..", no control characters.
bool isTapeNrUsableInFileName(const QString& tapeNr);

/// Empty when ean may be stored: empty, or 13 digits (EAN-13) or 12 (UPC-A) whose last is
/// the right check digit; otherwise the message refusing it, naming the value.
QString eanRefusal(const QString& ean);

/// The cascade question for a tape with n cast rows.
QString castCascadeQuestion(int n);

} // namespace data
