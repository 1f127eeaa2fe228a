#pragma once
// The command line's import of an old catalogue: no window, no display.

namespace app {

/// Runs "--import-paradox DIR [--replace] [--codepage N] [--dry-run]", the option standing at
/// argv[at]. Prints the report (or the message) and returns the exit status: 0 done, 1 failed,
/// 2 wrong arguments.
int runParadoxImport(int argc, char** argv, int at);

} // namespace app
