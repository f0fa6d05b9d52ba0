// The command-line conventions all programs share: option forms, the faults
// a person makes and the one line each gets, help and version.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "cli/command_line.h"

using namespace plamor::cli;

namespace {

Command Sample() {
  return Command("tool draw", "FILE... -o OUT", "Draws the files.")
      .Flag("inproc", "draw here")
      .Option("o,output", "OUT", "the file to write")
      .Option("answer", "CODE", "a button code, once per prompt")
      .Note("Example: tool draw a.csv -o a.dxf");
}

std::string MessageOf(const std::vector<std::string>& args) {
  try {
    CommandLine line(Sample(), args);
  } catch (const UsageError& e) {
    return e.what();
  }
  return "";
}

// Runs Read with standard output and standard error caught.
struct ReadResult {
  bool lineGiven;
  int status;
  std::string out, err;
};
ReadResult ReadCaught(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  auto* oldOut = std::cout.rdbuf(out.rdbuf());
  auto* oldErr = std::cerr.rdbuf(err.rdbuf());
  int status = -1;
  const bool given = Read(Sample(), args, &status).has_value();
  std::cout.rdbuf(oldOut);
  std::cerr.rdbuf(oldErr);
  return {given, status, out.str(), err.str()};
}

}  // namespace

TEST(CommandLine, EveryFormOfAnOptionValue) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"-o", "x.dxf", "a.csv"}, {"--output", "x.dxf", "a.csv"}, {"--output=x.dxf", "a.csv"}, {"a.csv", "-ox.dxf"},
           {"-o=x.dxf", "a.csv"}}) {
    const CommandLine line(Sample(), args);
    EXPECT_EQ(line.Required("-o"), "x.dxf") << args[0];
    EXPECT_EQ(line.Required("output"), "x.dxf");
    EXPECT_EQ(line.Positional(), std::vector<std::string>{"a.csv"});
  }
  const CommandLine line(Sample(), {"--answer", "6", "b.csv", "--inproc", "--answer=1", "--", "-c.csv"});
  EXPECT_TRUE(line.Flag("--inproc"));
  EXPECT_EQ(line.Values("answer"), (std::vector<std::string>{"6", "1"}));
  EXPECT_EQ(line.Positional(), (std::vector<std::string>{"b.csv", "-c.csv"}));  // "--" ends the options
  EXPECT_FALSE(line.Value("-o"));
  EXPECT_THROW(line.Value("answer"), UsageError);  // given twice where once is meant
}

TEST(CommandLine, EachMistakeIsNamed) {
  EXPECT_EQ(MessageOf({"--colour"}), "unknown option --colour");
  EXPECT_EQ(MessageOf({"-x"}), "unknown option -x");
  EXPECT_EQ(MessageOf({"a.csv", "-o"}), "option -o needs a value");
  EXPECT_EQ(MessageOf({"--output"}), "option --output needs a value");
  EXPECT_EQ(MessageOf({"--inproc=yes"}), "option --inproc takes no value");
  EXPECT_EQ(MessageOf({"a.csv"}), "");
  try {
    CommandLine(Sample(), {}).Required("-o");
    ADD_FAILURE() << "a missing required option was accepted";
  } catch (const UsageError& e) {
    EXPECT_STREQ(e.what(), "option --output is required");
  }
}

TEST(CommandLine, HelpVersionAndMistakesAnsweredByRead) {
  ReadResult help = ReadCaught({"a.csv", "--help"});
  EXPECT_FALSE(help.lineGiven);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("Usage: tool draw FILE... -o OUT\nDraws the files.\n", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("  -o, --output OUT   the file to write\n"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("      --inproc       draw here\n"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("Example: tool draw a.csv -o a.dxf"), std::string::npos);
  EXPECT_EQ(ReadCaught({"-h"}).out, help.out);

  ReadResult version = ReadCaught({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("tool ") + Version() + "\n");
  EXPECT_NE(std::string(Version()), "");

  ReadResult wrong = ReadCaught({"--output"});
  EXPECT_FALSE(wrong.lineGiven);
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.out, "");
  EXPECT_EQ(wrong.err, "tool draw: option --output needs a value (see tool draw --help)\n");

  ReadResult fine = ReadCaught({"a.csv", "-o", "b"});
  EXPECT_TRUE(fine.lineGiven);
  EXPECT_EQ(fine.out + fine.err, "");
}
