#pragma once
// The closing step of a window that edits records, however it is closed (a button, Escape,
// Alt+F4, the window manager): nothing typed is lost without the user's say.
#include <initializer_list>

namespace dbctrls {
class TDBGrid;
}
namespace engine {
class Table;
}

namespace forms {

/// Writes each grid's open cell editor into its field, then posts each table in edit or
/// insert state. True when the window may close: everything stored, or a write was refused
/// and the user chose, in a question that gives the reason, to close without it (those
/// changes are dropped); false keeps the window open with what was typed.
bool postBeforeClosing(std::initializer_list<dbctrls::TDBGrid*> grids, std::initializer_list<engine::Table*> tables);

} // namespace forms
