#include "apps/plamor_draw/commands.h"

#include <iostream>

#include "cli/input_error.h"
#include "platform/settings_store.h"
#include "server/formats/dxf_r12_writer.h"

namespace plamor::draw {

void SetDxfCodePage(bool on) {
  using namespace dxf;
  if (on)
    settings::SaveSetting(kCodePageApplication, kCodePageSection, kCodePageKey, kJapaneseCodePage);
  else
    settings::DeleteSetting(kCodePageApplication, kCodePageSection, kCodePageKey);
}

static Command SetupCodePageCommand() {
  return Command("plamor-draw setup-codepage", "on|off",
                     "DXF files name their code page, so CAD programs show Japanese text anywhere (on), or not (off).");
}

static int RunSetupCodePage(const CommandLine& line) {
  const auto& args = line.Positional();
  if (args.size() != 1 || (args[0] != "on" && args[0] != "off"))
    throw UsageError("setup-codepage takes one word: on or off");
  const bool on = args[0] == "on";
  SetDxfCodePage(on);
  std::cerr << "plamor-draw: DXF files " << (on ? "now name" : "no longer name") << " their code page ("
            << dxf::kJapaneseCodePage << ") in " << settings::SettingsFile(dxf::kCodePageApplication).string()
            << "\n";
  return 0;
}

Subcommand SetupCodePageSubcommand() { return {"setup-codepage", SetupCodePageCommand, RunSetupCodePage}; }

}  // namespace plamor::draw
