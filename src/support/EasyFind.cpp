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
    const QString wanted = core::win1252::upperAscii(SearchField);
    for (int i = 0; i < table.FieldCount(); ++i)
        if (core::win1252::upperAscii(table.Fields(i).DisplayLabel()) == wanted)
            return table.Fields(i);
    findNextMode_ = false;
    throw core::EDBSearchPatternNotFound(QString::fromLatin1(kFieldNotInDataset));
}

void TEasyFind::FindNext()
{
    findNextMode_ = false;
    if (SearchKey.isEmpty() || core::win1252::upperAscii(SearchKey) != lastKey_
        || core::win1252::upperAscii(SearchField) != lastField_)
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
    lastKey_ = core::win1252::upperAscii(SearchKey);
    lastField_ = core::win1252::upperAscii(SearchField);
    scan(t, field);
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
    const MatchOptions options{CaseSensitive, AllowWildcards, MultiCharPattern, SingleCharPattern};
    const TextMatcher matcher(SearchKey, options);
    // An empty key without wildcards matches no record: nothing to walk.
    if (!table.Eof() && matcher.canMatch()) {
        const int limit = field.IsBlob() ? kMemoLimit : kTextLimit;
        const int row = table.FindRow(table.CurrentRow(), field.Index(),
                                      [&](const QString& text) { return matcher.matches(QStringView(text).left(limit)); });
        if (row >= 0) {
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
