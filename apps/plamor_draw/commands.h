// The subcommands of plamor-draw. Each describes its command line and runs on
// what was given, returning the exit status; errors the user can fix are
// thrown as UsageError or InputError.
//
// Adding a command: write commands/NAME_command.cpp with its Command (the
// options, read through cli/command_line.h; option forms in option_values.h)
// and its Run, both private to the file, and its NAMESubcommand() giving its
// name and both; keep Run thin: survey files are read by survey/, computations live
// in hydraulics/, sheets are drawn by sheets/ through the drawing server (the
// relay in relay/ follows the server's run), drawing outputs come from
// drawings/outputs, and every file goes through an OutputTarget so that a
// failed run leaves nothing behind. Declare NAMESubcommand() below, list it in
// Subcommands() (main.cpp), add the file to CMakeLists.txt, its options to the
// manual page (packaging/man/plamor-draw.1) and the README, and its tests to
// tests/e2e/plamor_draw_test.py and tests/e2e/command_lines_test.py.
#pragma once

#include <string>
#include <vector>

#include "apps/plamor_draw/option_values.h"

namespace plamor::draw {

struct Subcommand {
  const char* name;  // one word, or two for the commands of a kind of work ("river table")
  Command (*usage)();
  int (*run)(const CommandLine& line);
};

// Every subcommand, in the order the help lists them.
const std::vector<Subcommand>& Subcommands();

// The subcommands, by the kind of work: survey drawings, the rating curve,
// drawing files, a whole river, settings.
Subcommand SectionsSubcommand(), HqSubcommand();
Subcommand HqRatingSubcommand(), HqConvertSubcommand();
Subcommand ConvertSubcommand(), RenderSubcommand(), PrintSubcommand();
Subcommand RiverTableSubcommand(), RiverProfileSubcommand(), RiverBookSubcommand();
Subcommand SetupCodePageSubcommand();

// Sets (on) or removes (off) the per-user setting that makes DXF files name
// their code page (Japanese text in CAD programs outside Japanese systems).
void SetDxfCodePage(bool on);

}  // namespace plamor::draw
