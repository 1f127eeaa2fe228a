#pragma once
// Operations without a window: they need no display and never touch the shell.
#include <functional>
#include <optional>

namespace data {
class TDM;
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

} // namespace app
