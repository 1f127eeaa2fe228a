#pragma once
// The command line's "--find TEXT [--field NAME]": the overview's search, for scripts.

namespace app {

/// Runs "--find TEXT [--field NAME]" standing at argv[at]: prints, one line each (tape
/// number, a tab, title), in tape-number order and from one state of the catalogue, the tapes
/// whose field NAME (default Titel) holds TEXT by the searches' rules. Writes nothing to Data
/// (without a sound full-text index it walks). Returns 0 done, 1 failed, 2 wrong arguments.
int runFindCommand(int argc, char** argv, int at);

} // namespace app
