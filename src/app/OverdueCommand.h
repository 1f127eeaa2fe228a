#pragma once
// spolarkiv --overdue [--days N]: the overdue loans as tab-separated lines, for a daily job.
#include <QDate>
#include <QString>
#include <optional>

namespace data {
class TDM;
}

namespace app {

/// The number after --days at argv[i + 1] (0 to 3650); nullopt when it is missing or not such a number.
std::optional<int> parseDueDays(int argc, char** argv, int i);

/// The not-returned loans due before today + days of dm's open catalogue: a header line, then
/// one line per loan, tab-separated, in the active language.
QString overdueText(data::TDM& dm, const QDate& today, int days);

/// Runs the command for argv[i] == "--overdue"; the exit status (2 for wrong arguments).
int runOverdueCommand(int argc, char** argv, int i);

} // namespace app
