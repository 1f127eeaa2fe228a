#pragma once
// Operations without a window: they need no display and never touch the shell.
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace data {
class TDM;
}

namespace catalogue {
class UpgradedCopy;
}

namespace app {

/// Runs a command-line operation when the arguments ask for one and returns its exit
/// status; std::nullopt when the program should start its windows. The first argument that
/// starts with "--" chooses the operation; one the program does not know prints the usage
/// and gives 2, as does a missing argument.
std::optional<int> runCommandLine(int argc, char** argv);

/// Runs command on the program folder's catalogue, checked and opened without a window and
/// read in one snapshot (an older catalogue through an upgraded copy); 0, or 1 after
/// printing the failure.
int runReadCommand(int argc, char** argv, const std::function<void(data::TDM&)>& command);

/// The table folder a command that only reads opens: dataDir, or an upgraded copy of it
/// (held by copy until the command ends) when a file is older than the program, so that
/// Data is never written. Throws as catalogue::upgradedCopy.
QString readableDataDir(const QString& dataDir, std::unique_ptr<catalogue::UpgradedCopy>& copy);

} // namespace app
