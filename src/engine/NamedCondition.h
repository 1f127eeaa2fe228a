#pragma once
// A condition the program writes for a table's view, beside its filter, where a filter's
// "Field = 'value'" cannot say it: for example the tapes with a loan past its due date, an
// EXISTS over another table file with today's date bound when the view is read.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

namespace engine {

struct NamedCondition {
    /// Names the condition; empty: none.
    QString name;
    /// An SQL expression written by the program, never from user text. It names the view's
    /// table and any other file's table as "schema"."table" (the file name without its
    /// extension twice, as the table files are attached) and takes its values as '?' only.
    QString sql;
    /// The values for the '?' in order, read each time the view is read.
    std::function<std::vector<QVariant>()> values;
    /// The table files ("Udlaan.db") the condition reads; a post or delete in any of them
    /// re-reads the view. The files are attached when the view opens.
    QStringList dependsOn;

    bool isSet() const { return !name.isEmpty(); }
    /// Same name, text and files (the values are read anew anyway).
    bool sameAs(const NamedCondition& other) const
    {
        return name == other.name && sql == other.sql && dependsOn == other.dependsOn;
    }
};

} // namespace engine
