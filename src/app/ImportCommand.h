#pragma once
// The command line's imports of an old catalogue or a spreadsheet's file: no window, no display.

namespace app {

/// Runs "--import-paradox DIR [--replace] [--codepage N] [--dry-run]", the option standing at
/// argv[at]. Prints the report (or the message) and returns the exit status: 0 done, 1 failed,
/// 2 wrong arguments.
int runParadoxImport(int argc, char** argv, int at);

/// Runs "--import-csv FILE [--replace] [--dry-run]" the same way: into a catalogue that holds
/// tapes the new tape numbers are added, unless --replace replaces the catalogue.
int runCsvImport(int argc, char** argv, int at);

} // namespace app
