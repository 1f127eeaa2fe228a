#pragma once
// The private state of a Table, shared by the files that implement it. Engine-internal.
#include "RecordBuffer.h"
#include "RowCache.h"
#include "Table.h"
#include "TableMeta.h"
#include "ViewQuery.h"

#include <QString>
#include <algorithm>
#include <memory>
#include <vector>

namespace engine {

struct Table::Impl {
    QString path;
    QString qualified; ///< "schema"."table"
    TableMeta meta;
    ViewQuery query;
    std::vector<qint64> view;
    int cur = -1;       ///< position of the current record in the view
    int insertPos = -1; ///< in insert state: the row the new record occupies
    RecordBuffer record;
    RowCache cache;

    /// TextCandidates' last answer, with what it was asked and the state of the file then.
    struct Candidates {
        int field = -1;
        QString key;
        qint64 changes = -1;
        qint64 version = -1;
        std::shared_ptr<const RowSet> rows;
    } candidates;

    /// The master link's values now, for a query or an inserted record's fields.
    ViewQuery::LinkValues linkValues(const Table* master) const
    {
        const std::vector<LinkPair>& pairs = query.shape().link;
        std::vector<Equality> values;
        if (pairs.empty() || !master)
            return values;
        if (!master->Active())
            return std::nullopt;
        for (const LinkPair& pair : pairs)
            values.push_back({pair.column, master->FieldByName(pair.masterField).Value()});
        if (!master->Editing() && master->RecordCount() == 0)
            return std::nullopt;
        return values;
    }

    int position(qint64 rowid) const
    {
        const auto it = std::find(view.begin(), view.end(), rowid);
        return it == view.end() ? -1 : int(it - view.begin());
    }

    /// The view position shown at a grid row; -1 for the inserted record.
    int viewIndex(int row, bool inserting) const
    {
        if (!inserting || row < insertPos)
            return row;
        return row == insertPos ? -1 : row - 1;
    }

    /// The row id shown at a grid row; 0 for the inserted record and outside the view.
    qint64 rowidAt(int row, bool inserting) const
    {
        const int index = viewIndex(row, inserting);
        return index >= 0 && index < int(view.size()) ? view[size_t(index)] : 0;
    }
};

} // namespace engine
