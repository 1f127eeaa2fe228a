#pragma once
// What a grid cell, a list entry or a combo box shows of a value on its one line. A value of
// megabytes is cut, since laying it out would stall the window for seconds; only what is
// shown is cut, never the value.
#include <QString>

namespace dbctrls {

/// Characters shown before "…".
constexpr int kMaxShownLength = 4000;

/// The text itself, or its first kMaxShownLength characters followed by "…".
inline QString cutForDisplay(QString text)
{
    if (text.size() > kMaxShownLength) {
        text.truncate(kMaxShownLength);
        text += QChar(0x2026);
    }
    return text;
}

} // namespace dbctrls
