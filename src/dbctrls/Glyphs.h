#pragma once
// Small pictures drawn on the fly for the navigator's buttons, the grid's row indicator and
// drop-down buttons, so no icon files are needed.
#include <QIcon>

namespace dbctrls {

enum class Glyph {
    First,      ///< bar and left-pointing triangle
    Prior,      ///< left-pointing triangle
    Next,       ///< right-pointing triangle
    Last,       ///< right-pointing triangle and bar
    Insert,     ///< plus
    Delete,     ///< minus
    Edit,       ///< up-pointing triangle
    Post,       ///< tick
    Cancel,     ///< cross
    Current,    ///< small right-pointing triangle: the grid's current row
    Editing,    ///< I-beam: the current row is being edited
    Inserting,  ///< asterisk: the current row is a new record
    DropDown,   ///< down-pointing triangle
};

/// The glyph as an icon of the given size in pixels (the disabled look is derived by Qt).
QIcon glyphIcon(Glyph glyph, int size = 16);

} // namespace dbctrls
