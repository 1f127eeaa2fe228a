#include "DM.h"

#include "CatalogueCheck.h"
#include "FieldTable.h"
#include "Fields.h"
#include "Loans.h"
#include "Schema.h"
#include "TextIndex.h"
#include "TimeText.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/SectionTexts.h"
#include "engine/Statement.h"

#include <QRegularExpression>
#include <algorithm>

namespace data {

TDM* DM = nullptr;

QString castCascadeQuestion(int n)
{
    return QStringLiteral("Der er tilknyttet %1 skuespillere til denne film!").arg(n)
           + QStringLiteral("\n\r")
           + QStringLiteral("Hvis du sletter denne film, så sletter du også alle til denne film "
                            "registrerede skuespillere - er det OK?");
}

bool isTapeNrLengthAllowed(const QString& tapeNr)
{
    if (tapeNr.size() <= kTapeNrWidth)
        return true;
    // The numbering reads at most 18 leading digits, so it never goes beyond 19 of them.
    static const QRegularExpression numbered(QStringLiteral("^[0-9]{5,19}-00$"));
    return numbered.match(tapeNr).hasMatch();
}

namespace {
bool holdsControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}
} // namespace

TapeNrFault tapeNrFault(const QString& tapeNr)
{
    if (!isTapeNrLengthAllowed(tapeNr))
        return TapeNrFault::TooLong;
    // Invisible in every window and lost by the export's trimming: the tape could not be found again.
    if (holdsControlCharacter(tapeNr))
        return TapeNrFault::ControlCharacter;
    return TapeNrFault::None;
}

bool isTapeNrUsableInFileName(const QString& tapeNr)
{
    return !holdsControlCharacter(tapeNr) && !tapeNr.contains(QLatin1Char('/')) && !tapeNr.contains(QLatin1Char('\\'))
           && !tapeNr.contains(QLatin1String(".."));
}

QString eanRefusal(const QString& ean)
{
    if (ean.isEmpty())
        return QString();
    static const QRegularExpression digits(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{12,13}")));
    if (!digits.match(ean).hasMatch())
        return core::sectionText("Catalogue", "EanForm",
                                 QStringLiteral("EAN-koden '%1' kan ikke gemmes: en EAN-kode er 13 cifre (UPC-A 12 cifre) "
                                                "og intet andet."))
            .arg(ean);
    // Weights 3, 1, 3, ... from the digit before the check digit: the same rule for EAN-13 and UPC-A.
    int sum = 0;
    for (int i = int(ean.size()) - 2, weight = 3; i >= 0; --i, weight = 4 - weight)
        sum += ean.at(i).digitValue() * weight;
    if ((10 - sum % 10) % 10 == ean.back().digitValue())
        return QString();
    return core::sectionText("Catalogue", "EanCheck",
                             QStringLiteral("EAN-koden '%1' kan ikke gemmes: kontrolcifferet (det sidste ciffer) passer "
                                            "ikke. Se efter om koden er tastet rigtigt."))
        .arg(ean);
}

TDM::TDM(const QString& dataDir, QObject* parent)
    : QObject(parent), db_(std::make_unique<engine::Database>(dataDir))
{
    setObjectName(QStringLiteral("DM"));
    VideoTable = makeTable(QStringLiteral("Video.db"), VideoSource, "Video");
    KatTable = makeTable(QStringLiteral("Kategori.db"), KatSource, "Kat");
    UdlaanTable = makeTable(QStringLiteral("Udlaan.db"), UdlaanSource, "Udlaan");
    TypeTable = makeTable(QStringLiteral("Type.db"), TypeSource, "Type");
    InstruktorTable = makeTable(QStringLiteral("Instruktor.db"), InstruktorSource, "Instruktor");
    OptagetTable = makeTable(QStringLiteral("Optagetaf.db"), OptagetSource, "Optaget");
    SkuespilTable = makeTable(QStringLiteral("Skuespiller.DB"), SkuespilSource, "Skuespil");
    MedvirkTable = makeTable(QStringLiteral("Medvirker.db"), MedvirkSource, "Medvirk");
    MedvirkAllTable = makeTable(QStringLiteral("Medvirker.db"), MedvirkAllSource, "MedvirkAll");
    ConfigTable = makeTable(QStringLiteral("Config.DB"), ConfigSource, "Config");

    // The cast link: MedvirkTable presents the current tape's cast.
    MedvirkTable->SetIndexFieldNames(fields::LinkTapeNr);
    MedvirkTable->SetMasterFields(fields::LinkTapeNr);
    MedvirkTable->SetMasterSource(VideoSource);
    bindRules();
}

TDM::~TDM() = default;

engine::Table* TDM::makeTable(const QString& fileName, engine::DataSource*& source, const char* name)
{
    engine::Table* table = tables_.emplace_back(std::make_unique<engine::Table>(*db_, fileName)).get();
    table->setObjectName(QString::fromLatin1(name) + QStringLiteral("Table"));
    source = sources_.emplace_back(std::make_unique<engine::DataSource>(table)).get();
    source->setObjectName(QString::fromLatin1(name) + QStringLiteral("Source"));
    return table;
}

void TDM::bindRules()
{
    VideoTable->BeforePost = [this](engine::Table& t) { VideoTableBeforePost(t); };
    VideoTable->AfterPost = [this](engine::Table& t) { VideoTableAfterPost(t); };
    VideoTable->BeforeDelete = [this](engine::Table& t) { VideoTableBeforeDelete(t); };
    MedvirkTable->BeforeInsert = [this](engine::Table& t) { MedvirkTableBeforeInsert(t); };
    MedvirkTable->AfterInsert = [this](engine::Table& t) { MedvirkTableAfterInsert(t); };
    MedvirkTable->AfterPost = [this](engine::Table& t) { MedvirkTableAfterPost(t); };
    UdlaanTable->AfterInsert = [this](engine::Table& t) { UdlaanTableAfterInsert(t); };
    UdlaanTable->BeforePost = [this](engine::Table& t) { UdlaanTableBeforePost(t); };
    UdlaanTable->BeforeDelete = [this](engine::Table& t) { UdlaanTableBeforeDelete(t); };
    // The tape's Udlaan flag was written beside VideoTable in the loan's transaction.
    UdlaanTable->AfterPost = UdlaanTable->AfterDelete = [this](engine::Table&) {
        if (lentFlagWritten_)
            VideoTable->ReadRecordsAgain();
        lentFlagWritten_ = false;
    };
    MedvirkTable->BeforePost = MedvirkAllTable->BeforePost = [this](engine::Table& t) { CheckTapeOfRow(t); };
}

std::vector<engine::Table*> TDM::startupOrder() const
{
    return {ConfigTable, VideoTable, SkuespilTable, MedvirkTable, MedvirkAllTable,
            KatTable, TypeTable, UdlaanTable, InstruktorTable, OptagetTable};
}

void TDM::CheckTables()
{
    // Nothing is written before every file has passed: the missing selection indexes of an
    // older catalogue are added only then.
    db_->setWantedIndexes({});
    const std::vector<FileVersion> versions = checkCatalogue(*db_);
    if (needsUpgrade(versions)) {
        if (!Upgrade)
            for (const FileVersion& file : versions)
                refuseOlderFile(db_->filePath(file.schema), file.version);
        Upgrade(*this, versions);
    }
    db_->setWantedIndexes(selectionIndexes());
    db_->addWantedIndexes();
}

void TDM::OpenTables()
{
    CheckTables();
    // The windows' searches: the tapes' full-text index is made where it is missing or unsound.
    prepareTextIndex(*db_);
    mendTextIndexOnDamage(*db_);
    for (engine::Table* table : startupOrder())
        table->Open();
}

void TDM::VideoTableBeforePost(engine::Table& table)
{
    const QString tapeNr = table.FieldByName(fields::TapeNr).AsString();
    switch (tapeNrFault(tapeNr)) {
    case TapeNrFault::TooLong:
        throw core::EDatabaseError(QStringLiteral("Båndnummeret '%1' er for langt: et båndnummer har højst %2 tegn.")
                                       .arg(tapeNr)
                                       .arg(kTapeNrWidth));
    case TapeNrFault::ControlCharacter:
        throw core::EDatabaseError(QStringLiteral("Båndnummeret må ikke indeholde styretegn (tabulator, linjeskift o.l.)."));
    case TapeNrFault::None: break;
    }
    if (const QString refusal = eanRefusal(table.FieldByName(fields::EAN).AsString()); !refusal.isEmpty())
        throw core::EDatabaseError(refusal);
    const QString start = table.FieldByName(fields::Start).AsString();
    const QString end = table.FieldByName(fields::Slut).AsString();
    if (start.isEmpty() || end.isEmpty())
        return;
    table.FieldByName(fields::Varighed).SetAsString(durationText(start, end));
}

void TDM::addLookupValue(engine::Table& lookup, const QString& field, const QString& value)
{
    if (lookup.Locate(field, value) || value.isEmpty())
        return;
    lookup.Insert();
    lookup.FieldByName(field).SetAsString(value);
    lookup.Post();
}

void TDM::VideoTableAfterPost(engine::Table& table)
{
    const std::pair<const char*, engine::Table*> pairs[] = {
        {fields::Optagetaf, OptagetTable}, {fields::Kategori, KatTable}, {fields::Instruktor, InstruktorTable}};
    for (const auto& [field, lookup] : pairs) {
        const QString name = QString::fromLatin1(field);
        addLookupValue(*lookup, name, table.FieldByName(name).AsString());
    }
}

void TDM::VideoTableBeforeDelete(engine::Table&)
{
    const int n = MedvirkTable->RecordCount();
    if (n == 0)
        return;
    if (!core::dialogs().confirm(castCascadeQuestion(n), core::ConfirmButtons::YesNo))
        throw core::EAbort();
    MedvirkTable->First();
    for (int i = 0; i < n; ++i)
        MedvirkTable->Delete();
}

void TDM::MedvirkTableBeforeInsert(engine::Table&)
{
    // A new tape must be stored before a cast row can carry its number.
    if (VideoTable->Editing())
        VideoTable->Post();
}

void TDM::MedvirkTableAfterInsert(engine::Table& table)
{
    table.FieldByName(fields::Titel).SetAsString(VideoTable->FieldByName(fields::Titel).AsString());
}

void TDM::MedvirkTableAfterPost(engine::Table& table)
{
    MedvirkAllTable->Close();
    MedvirkAllTable->Open();
    // An empty name is no actor: an empty text is stored as no value, which a lookup key
    // cannot hold, so adding it would only report an error after every nameless cast row.
    addLookupValue(*SkuespilTable, fields::Skuespiller,
                   table.FieldByName(fields::Skuespiller).AsString());
}

void TDM::UdlaanTableAfterInsert(engine::Table& table)
{
    table.FieldByName(fields::LinkTapeNr).SetAsString(VideoTable->FieldByName(fields::LinkTapeNr).AsString());
}

void TDM::UdlaanTableBeforePost(engine::Table& table)
{
    const QString before = CheckTapeOfRow(table);
    engine::Field& due = table.FieldByName(fields::Forfald);
    const QDate lent = QDate::fromString(table.FieldByName(fields::Dato).Value().toString(), Qt::ISODate);
    if (due.IsNull() && lent.isValid())
        due.SetValue(dueDateFor(lent, loanDays()).toString(Qt::ISODate));
    settleReturn(table, Today());
    // The tape's flag follows its open loans, and so does the flag of a tape the loan left.
    const bool inserting = table.State() == engine::DataSetState::Insert;
    const qint64 rowid = inserting ? 0 : table.GetBookmark();
    const QString tapeNr = table.FieldByName(fields::LinkTapeNr).AsString();
    lentFlagWritten_ = settleLentFlag(*db_, tapeNr, rowid, !pendingReturned(table));
    if (!inserting && before != tapeNr)
        lentFlagWritten_ = settleLentFlag(*db_, before, rowid, false) || lentFlagWritten_;
}

void TDM::UdlaanTableBeforeDelete(engine::Table& table)
{
    const QString tapeNr = storedTapeNr(table);
    lentFlagWritten_ = settleLentFlag(*db_, tapeNr, table.GetBookmark(), false);
}

QString TDM::storedTapeNr(engine::Table& table)
{
    if (table.State() == engine::DataSetState::Insert)
        return QString();
    return db_->scalar(QStringLiteral("SELECT Tapenr FROM \"%1\".\"%1\" WHERE rowid = ?1").arg(table.SqlName()),
                       {table.GetBookmark()})
        .toString();
}

QString TDM::CheckTapeOfRow(engine::Table& table)
{
    // A row left behind by a deleted tape can still be changed as long as it stays where it is.
    const QString tapeNr = table.FieldByName(fields::LinkTapeNr).AsString();
    const QString stored = storedTapeNr(table);
    const bool moved = table.State() == engine::DataSetState::Insert || stored != tapeNr;
    if (moved && !tapeExists(*db_, tapeNr))
        throw core::EDatabaseError(
            loanText("NoSuchTape", QStringLiteral("Intet bånd i kataloget har nummeret \"%1\". Ret båndnummeret, eller fortryd med Esc."))
                .arg(tapeNr));
    return stored;
}

int TDM::loanDays()
{
    if (!ConfigTable->Active() || ConfigTable->FieldByName(fields::Laanetid).IsNull())
        return kDefaultLoanDays;
    return int(ConfigTable->FieldByName(fields::Laanetid).AsInteger());
}

void TDM::CloseTables()
{
    const std::vector<engine::Table*> tables = startupOrder();
    for (auto it = tables.rbegin(); it != tables.rend(); ++it)
        (*it)->Close();
    db_->detachAll();
}

QString TDM::NextTapeNr()
{
    // The whole table, whatever order or filter the overview left: the highest number of the
    // numbering's own form, so a number typed in another form (8765432) cannot push the next
    // one past the length the catalogue allows.
    const QVariant max = db_->scalar(QStringLiteral("SELECT max(CAST(substr(TapeNr, 1, min(length(TapeNr) - 3, 18)) AS INTEGER)) "
                                                    "FROM \"%1\".\"%1\" WHERE TapeNr GLOB '[0-9]*-00' "
                                                    "AND substr(TapeNr, 1, length(TapeNr) - 3) NOT GLOB '*[^0-9]*'")
                                         .arg(VideoTable->SqlName()),
                                     {}, db_->filePath(VideoTable->SqlName()));
    const qint64 highest = max.isNull() ? 0 : max.toLongLong();
    return QStringLiteral("%1-00").arg(highest + 1, 4, 10, QLatin1Char('0'));
}

QStringList TDM::usedValues(const char* field)
{
    // No lookup table of its own: the values the tapes carry are the list, so none goes stale.
    const QString name = engine::quoteId(QString::fromLatin1(field));
    engine::Statement read(*db_, QStringLiteral("SELECT DISTINCT %1 FROM \"%2\".\"%2\" WHERE %1 <> '' ORDER BY %1 COLLATE NOCASE")
                                     .arg(name, VideoTable->SqlName()),
                           db_->filePath(VideoTable->SqlName()));
    QStringList values;
    while (read.step())
        values << read.value(0).toString();
    return values;
}

QString TDM::insertNewTape()
{
    VideoTable->Last();
    const QString number = NextTapeNr();
    VideoTable->Insert();
    VideoTable->FieldByName(fields::TapeNr).SetAsString(number);
    VideoTable->FieldByName(fields::Udlaan).SetAsString(QStringLiteral("Nej"));
    return number;
}

int TDM::configInteger(const QString& field)
{
    return int(ConfigTable->FieldByName(field).AsInteger());
}

void TDM::storeConfig(const std::vector<std::pair<QString, qint64>>& values)
{
    ConfigTable->Edit();
    for (const auto& [field, value] : values)
        ConfigTable->FieldByName(field).SetAsInteger(value);
    ConfigTable->Post();
}

} // namespace data
