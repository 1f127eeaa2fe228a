#pragma once
// A range of tape numbers, as the labels command takes it: "--from 12 --to 20-01". Tape
// numbers compare by their leading digits, then by the digits after the dash; a bound
// without a dash takes every copy of that number.
#include <QString>

namespace output {

struct TapeRange {
    QString from; ///< empty: from the first
    QString to;   ///< empty: to the last

    /// True when the bound starts with a digit (and so can bound a range).
    static bool isBound(const QString& text);
    /// True when tapeNr lies in the range; with a bound given, a number that does not start
    /// with a digit lies outside.
    bool contains(const QString& tapeNr) const;
    bool isOpen() const { return from.isEmpty() && to.isEmpty(); }
};

} // namespace output
