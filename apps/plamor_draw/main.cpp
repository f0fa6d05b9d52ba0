// plamor-draw: cross-section and H-Q drawings from survey files, and
// conversions and pictures of our drawing files, for engineers at the
// command line.
#include <QApplication>

#include <cstdlib>
#include <exception>
#include <iostream>

#include "apps/plamor_draw/commands.h"
#include "cli/input_error.h"
#include "platform/display.h"
#include "platform/qt/stop_signal_events.h"
#include "platform/stop_signals.h"

namespace plamor::draw {

const std::vector<Subcommand>& Subcommands() {
  static const std::vector<Subcommand> commands = {
      SectionsSubcommand(), HqSubcommand(),    HqRatingSubcommand(),   HqConvertSubcommand(),
      ConvertSubcommand(),  RenderSubcommand(), PrintSubcommand(),      RiverTableSubcommand(), RiverProfileSubcommand(), RiverBookSubcommand(),
      SetupCodePageSubcommand()};
  return commands;
}

}  // namespace plamor::draw

namespace {

using namespace plamor::draw;

Command ProgramCommand() {
  std::string list = "Commands (plamor-draw COMMAND --help tells more):\n";
  for (const Subcommand& c : Subcommands()) {
    const Command usage = c.usage();
    list += "  " + std::string(c.name) + std::string(16 - std::string(c.name).size(), ' ') + usage.Summary() + "\n";
  }
  return Command("plamor-draw", "COMMAND [OPTIONS] [ARGUMENTS]",
                     "Drawings from survey files, and conversions and pictures of drawing files.")
      .Note(list);
}

// The command the first words name, two words before one ("river table");
// `words` is set to how many it took.
const Subcommand* FindCommand(int argc, char** argv, int& words) {
  const std::string first = argc > 1 ? argv[1] : "";
  const std::string two = argc > 2 ? first + " " + argv[2] : "";
  for (const Subcommand& c : Subcommands()) {
    if (!two.empty() && two == c.name) return words = 2, &c;
  }
  for (const Subcommand& c : Subcommands()) {
    if (first == c.name) return words = 1, &c;
  }
  return nullptr;
}

// The second words of the two-word commands whose first word is `first`
// ("table" for "river"), joined by " or ".
std::string WordsAfter(const std::string& first) {
  std::string words;
  for (const Subcommand& c : Subcommands()) {
    const std::string name = c.name;
    if (name.rfind(first + " ", 0) != 0) continue;
    words += (words.empty() ? "" : " or ") + name.substr(first.size() + 1);
  }
  return words;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  int words = 0;
  const Subcommand* command = FindCommand(argc, argv, words);
  if (!command) {
    int status = 0;
    const auto line = plamor::cli::Read(ProgramCommand(), plamor::cli::Arguments(argc, argv), &status);
    if (!line) return status;
    const std::string message = first.empty()          ? "no command given"
                                : !WordsAfter(first).empty() ? "\"" + first + "\" takes a second word: " + WordsAfter(first)
                                                             : "unknown command \"" + first + "\"";
    std::cerr << plamor::cli::UsageErrorLine("plamor-draw", message) << "\n";
    return 2;
  }
  const Command usage = command->usage();
  int status = 0;
  const auto line = plamor::cli::Read(usage, plamor::cli::Arguments(argc, argv, 1 + words), &status);
  if (!line) return status;

  // The chart controls are widgets; without a screen they draw off screen.
  if (!plamor::display::HasDisplay() && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  plamor::stopsignals::CatchAsEvents();  // wakes a wait for the drawing server
  try {
    return command->run(*line);
  } catch (const plamor::stopsignals::Stopped& e) {
    std::cerr << "plamor-draw: " << e.what() << "\n";
    plamor::stopsignals::EndByReceived();
    return 1;
  } catch (const UsageError& e) {
    std::cerr << plamor::cli::UsageErrorLine(usage.Name(), e.what()) << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "plamor-draw: " << e.what() << "\n";
    return 1;
  }
}
