// The subcommands of plamor-draw. Each describes its command line and runs on
// what was given, returning the exit status; errors the user can fix are
// thrown as UsageError or InputError.
#pragma once

#include <string>
#include <vector>

#include "apps/plamor_draw/command_line.h"

namespace plamor::draw {

struct Subcommand {
  const char* name;
  CommandSpec (*spec)();
  int (*run)(const CommandLine& line);
};

// Every subcommand, in the order the help lists them.
const std::vector<Subcommand>& Subcommands();

CommandSpec SectionsCommand();
int RunSections(const CommandLine& line);
CommandSpec HqCommand();
int RunHq(const CommandLine& line);
CommandSpec ConvertCommand();
int RunConvert(const CommandLine& line);
CommandSpec RenderCommand();
int RunRender(const CommandLine& line);
CommandSpec PrintCommand();
int RunPrint(const CommandLine& line);
CommandSpec SetupCodePageCommand();
int RunSetupCodePage(const CommandLine& line);

// Sets (on) or removes (off) the per-user setting that makes DXF files name
// their code page (Japanese text in CAD programs outside Japanese systems).
void SetDxfCodePage(bool on);

}  // namespace plamor::draw
