#pragma once
// Operations without a window: they need no display and never touch the shell.
#include <optional>

namespace app {

/// Runs a command-line operation when the arguments ask for one and returns its exit
/// status; std::nullopt when the program should start its windows.
std::optional<int> runCommandLine(int argc, char** argv);

} // namespace app
