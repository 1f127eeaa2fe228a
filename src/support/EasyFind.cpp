#include "EasyFind.h"

#include "core/Errors.h"
#include "core/Win1252.h"
#include "engine/DataSource.h"
#include "engine/Table.h"

#include <QCursor>
#include <QGuiApplication>

namespace support {

namespace {

const char* const kNoInitialFind = "No initial Find/Locate done first";
const char* const kFieldNotInDataset = "Search Field not in Dataset";

// The hourglass for the length of a scan.
class WaitCursor {
public:
    WaitCursor()
    {
        // Under an hourglass already (a search of many searches) there is nothing to change.
        const QCursor* shown = QGuiApplication::overrideCursor();
        if (shown && shown->shape() == Qt::WaitCursor)
            return;
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            active_ = true;
        }
    }
    ~WaitCursor()
    {
        if (active_)
            QGuiApplication::restoreOverrideCursor();
    }

private:
    bool active_ = false;
};

// Equal when a-z are folded to capitals (and nothing else), without a folded copy: it runs
// for every field on every search.
bool equalFoldingAscii(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 0x20) : c; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (upper(a.at(i).unicode()) != upper(b.at(i).unicode()))
            return false;
    return true;
}

} // namespace

TEasyFind::TEasyFind(QObject* owner) : QObject(owner) {}

engine::Table& TEasyFind::table() const
{
    if (!DataSource || !DataSource->DataSet())
        throw core::EDBSearchPatternNotFound(QString::fromLatin1(kFieldNotInDataset));
    return *DataSource->DataSet();
}

engine::Field& TEasyFind::searchedField(engine::Table& table)
{
    for (int i = 0; i < table.FieldCount(); ++i)
        if (equalFoldingAscii(table.Fields(i).DisplayLabel(), SearchField))
            return table.Fields(i);
    findNextMode_ = false;
    throw core::EDBSearchPatternNotFound(QString::fromLatin1(kFieldNotInDataset));
}

void TEasyFind::FindNext()
{
    findNextMode_ = false;
    if (SearchKey.isEmpty() || !equalFoldingAscii(SearchKey, lastKey_) || !equalFoldingAscii(SearchField, lastField_))
        throw core::EDBSearchError(QString::fromLatin1(kNoInitialFind));
    findNextMode_ = true;
    try {
        Find();
    } catch (...) {
        findNextMode_ = false;
        throw;
    }
    findNextMode_ = false;
}

void TEasyFind::Find()
{
    if (!DataSource || !DataSource->DataSet() || !DataSource->DataSet()->Active()) {
        findNextMode_ = false;
        throw core::EDBSearchPatternNotFound(QString::fromLatin1(kFieldNotInDataset));
    }
    engine::Table& t = table();
    engine::Field& field = searchedField(t);
    if (!equalFoldingAscii(SearchKey, lastKey_))
        lastKey_ = core::win1252::upperAscii(SearchKey);
    if (!equalFoldingAscii(SearchField, lastField_))
        lastField_ = core::win1252::upperAscii(SearchField);
    scan(t, field);
}

// The matcher for the key and options now; made again only when they changed (a find-next
// loop asks for it once per hit).
const TextMatcher& TEasyFind::currentMatcher()
{
    const MatchOptions options{CaseSensitive, AllowWildcards, MultiCharPattern, SingleCharPattern};
    const bool same = matcher_ && matcherKey_ == SearchKey && matcherOptions_.caseSensitive == options.caseSensitive
                      && matcherOptions_.wildcards == options.wildcards && matcherOptions_.multi == options.multi
                      && matcherOptions_.single == options.single;
    if (!same) {
        matcher_.emplace(SearchKey, options);
        matcherKey_ = SearchKey;
        matcherOptions_ = options;
    }
    return *matcher_;
}

void TEasyFind::scan(engine::Table& table, engine::Field& field)
{
    found_ = false;
    engine::ControlsDisabled disabled(table);
    WaitCursor wait;
    const engine::Table::Bookmark bookmark = table.GetBookmark();
    if (findNextMode_)
        table.Next();
    else
        table.First();
    const TextMatcher& matcher = currentMatcher();
    // An empty key without wildcards matches no record: nothing to walk.
    if (!table.Eof() && matcher.canMatch()) {
        const int limit = field.IsBlob() ? kMemoLimit : kTextLimit;
        engine::Table::TextTest test;
        test.text = [&](const QString& text) { return matcher.matches(QStringView(text).left(limit)); };
        test.utf8 = [&](const char* data, qsizetype size) { return matcher.matchesUtf8(data, size, limit); };
        // A key that many records hold is met within a few records: those are walked before
        // the full-text index is asked, whose answer for such a key is long. The index narrows
        // the rest to the records holding the key's letter runs; the matcher still decides on
        // each, so the answers are the walk's.
        const int from = table.CurrentRow();
        int row = table.FindRow(from, from + WalkedBeforeIndex, field.Index(), test);
        if (row < 0 && from + WalkedBeforeIndex < table.RowCount()) {
            if (!AllowWildcards)
                test.candidates = table.TextCandidates(field.Index(), SearchKey);
            row = table.FindRow(from + WalkedBeforeIndex, field.Index(), test);
        }
        if (row >= 0) {
            if (row != table.CurrentRow())
                table.MoveToRow(row);
            found_ = true;
        }
    }
    if (!found_) {
        table.GotoBookmark(bookmark);
        findNextMode_ = false;
    }
    table.FreeBookmark(bookmark);
}

} // namespace support
