// The subcommands of plamor-draw. Each describes its command line and runs on
// what was given, returning the exit status; errors the user can fix are
// thrown as UsageError or InputError.
#pragma once

#include <string>
#include <vector>

#include "apps/plamor_draw/option_values.h"

namespace plamor::draw {

struct Subcommand {
  const char* name;
  Command (*usage)();
  int (*run)(const CommandLine& line);
};

// Every subcommand, in the order the help lists them.
const std::vector<Subcommand>& Subcommands();

Command SectionsCommand();
int RunSections(const CommandLine& line);
Command HqCommand();
int RunHq(const CommandLine& line);
Command ConvertCommand();
int RunConvert(const CommandLine& line);
Command RenderCommand();
int RunRender(const CommandLine& line);
Command PrintCommand();
int RunPrint(const CommandLine& line);
Command SetupCodePageCommand();
int RunSetupCodePage(const CommandLine& line);

// Sets (on) or removes (off) the per-user setting that makes DXF files name
// their code page (Japanese text in CAD programs outside Japanese systems).
void SetDxfCodePage(bool on);

}  // namespace plamor::draw
