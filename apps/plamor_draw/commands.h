// The subcommands of plamor-draw. Each returns the exit status; errors the
// user can fix are thrown as UsageError or InputError.
#pragma once

#include <string>
#include <vector>

namespace plamor::draw {

using Arguments = std::vector<std::string>;

int RunSections(const Arguments& args);
int RunHq(const Arguments& args);
int RunConvert(const Arguments& args);
int RunRender(const Arguments& args);
int RunPrint(const Arguments& args);
int RunSetupCodePage(const Arguments& args);

// Sets (on) or removes (off) the per-user setting that makes DXF files name
// their code page (Japanese text in CAD programs outside Japanese systems).
void SetDxfCodePage(bool on);

}  // namespace plamor::draw
