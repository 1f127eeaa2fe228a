#pragma once
// Comma text: how list properties (Items, Values, Hints, grid Columns) become one line.
#include <QString>
#include <QStringList>

namespace locale {

class CommaText {
public:
    /// Items joined with "," and no blanks. An item holding a character of code 0 to 32, a
    /// double quote or a comma stands in double quotes with inner quotes doubled. A list of
    /// one empty item is written as two double quotes; an empty list as the empty text.
    static QString write(const QStringList& items);

    /// Reads comma text: leading blanks and control characters are skipped; an item is a
    /// double-quoted text (doubled quotes read as one; without a closing quote it runs to the
    /// end) or the run of characters up to the next comma or character of code 0 to 32;
    /// blanks and control characters after an item are skipped; a comma separates items,
    /// and a comma as the very last character adds an empty last item. So an unquoted blank
    /// separates items just like a comma.
    static QStringList read(const QString& text);

private:
    static QString readQuoted(const QString& text, qsizetype& pos);
    static QString readPlain(const QString& text, qsizetype& pos);
};

} // namespace locale
