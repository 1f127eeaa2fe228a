#pragma once
// Record commands shared by the grid's keys and the navigator's buttons.
#include <QString>

namespace engine {
class Table;
}

namespace dbctrls {

/// The question asked before a record is deleted from a grid or a navigator.
QString deleteQuestion();

/// Asks the delete question (buttons "OK" and "Annuller"); only on OK deletes the current
/// record, or drops it when it is a new record not yet posted. Returns true when it did.
bool confirmAndDelete(engine::Table& table);

} // namespace dbctrls
