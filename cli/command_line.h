// The command lines of every Plamor program, read the same way:
//   --help and --version on every program and subcommand (to standard output);
//   long options as "--output FILE" or "--output=FILE", short ones as "-o FILE";
//   "--" ends the options;
//   a mistake is one line naming it and pointing at --help, exit status 2.
// A program describes itself with a Command (one line per option) and
// reads what was given through a CommandLine.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace plamor::cli {

// The version of this build.
const char* Version();

// A command line that cannot be run: unknown option, missing value, wrong
// arguments. what() is the message without the program name.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a program or subcommand is called (as typed: "plamor-draw sections"),
// what it takes, what it does, and its options. Names are given as "o,output"
// (short and long) or "inproc" (long only).
class Command {
 public:
  Command(std::string name, std::string synopsis, std::string summary);

  Command& Flag(const std::string& names, const std::string& description);
  Command& Option(const std::string& names, const std::string& valueName, const std::string& description);
  // A paragraph after the options (the commands of a program, an example).
  Command& Note(const std::string& text);

  const std::string& Name() const { return name_; }
  const std::string& Summary() const { return summary_; }
  std::string Help() const;

  struct OptionEntry {
    std::vector<std::string> names;
    std::string valueName;  // empty for a flag
    std::string description;
  };
  const std::vector<OptionEntry>& Options() const { return options_; }

 private:
  std::string name_, synopsis_, summary_, notes_;
  std::vector<OptionEntry> options_;
};

// What a command line gave, read against its Command. Options are looked
// up by any of their names, with or without dashes ("-o", "output").
class CommandLine {
 public:
  // Throws UsageError on an unknown option, a missing value or a value given
  // to a flag.
  CommandLine(const Command& usage, const std::vector<std::string>& args);
  ~CommandLine();
  CommandLine(CommandLine&&) noexcept;

  bool HelpAsked() const { return Flag("help"); }
  bool VersionAsked() const { return Flag("version"); }

  bool Flag(const std::string& name) const;
  // The value of an option given at most once (UsageError when twice).
  std::optional<std::string> Value(const std::string& name) const;
  // The value of an option the command cannot do without.
  std::string Required(const std::string& name) const;
  // Every value of an option that may be repeated, in order.
  std::vector<std::string> Values(const std::string& name) const;
  const std::vector<std::string>& Positional() const { return positional_; }

 private:
  struct Parsed;
  std::unique_ptr<Parsed> parsed_;
  std::vector<std::string> positional_;
};

// Reads a program's command line (args without the program name). On --help
// or --version prints it to standard output; on a mistake prints
// "NAME: MESSAGE (see NAME --help)" to standard error. Either way returns
// nothing and sets *exitStatus (0 or 2): the caller returns it from main.
std::optional<CommandLine> Read(const Command& usage, const std::vector<std::string>& args, int* exitStatus);

// The one line a usage mistake prints.
std::string UsageErrorLine(const std::string& commandName, const std::string& message);

// The arguments of main() after the first `skip`.
std::vector<std::string> Arguments(int argc, char** argv, int skip = 1);

}  // namespace plamor::cli
