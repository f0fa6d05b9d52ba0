#include <gtest/gtest.h>

#include <sstream>

#include "apps/host_script/script_parser.h"
#include "apps/host_script/script_runner.h"
#include "tests/support/recording_plamor.h"

using namespace plamor::script;
using plamor::testing::RecordingPlamor;

namespace {

std::vector<std::string> RunHost(const std::string& source, std::string* printed = nullptr) {
  RecordingPlamor rec;
  std::ostringstream out;
  RunnerOptions options;
  options.out = &out;
  options.currentFolder = "/work/here";
  options.waitPollMilliseconds = 0;
  RunScript(ParseScript(source), rec, options);
  if (printed) *printed = out.str();
  return rec.calls;
}

}  // namespace

TEST(HostScript, ParsesTheHostNotation) {
  auto st = ParseScript(
      "' comment\n"
      "PaperSize = ktpA3\r\n"
      "Sen 0, 0, 0, 50, vPen:=2, vStyl:=1 ' trailing comment\n"
      "Moji 10, 10, \"河川 \"\"横断\"\" 図\", ktpYoko, 0, 0, vHeight:=5\n"
      "Sen 1, 2, 3, 4, , 3\n"
      "LayerName(3) = \"護岸\"\n"
      "print LayerName(3)\n"
      "Rem nothing\n"
      "wait\n");
  ASSERT_EQ(st.size(), 7u);
  EXPECT_EQ(st[0].kind, Statement::Kind::Put);
  EXPECT_EQ(st[0].arguments[0].value.text, "ktpA3");
  EXPECT_EQ(st[1].arguments.size(), 6u);
  EXPECT_EQ(*st[1].arguments[4].name, "vPen");
  EXPECT_EQ(st[1].arguments[5].value.number, 1);
  EXPECT_EQ(st[2].arguments[2].value.text, "河川 \"横断\" 図");
  EXPECT_EQ(st[3].arguments[4].value.kind, Value::Kind::Missing);
  EXPECT_EQ(st[4].index->number, 3);
  EXPECT_EQ(st[5].kind, Statement::Kind::Print);
  EXPECT_EQ(st[6].kind, Statement::Kind::Wait);
  EXPECT_EQ(st[6].line, 9);
}

TEST(HostScript, SyntaxErrorsNameTheLine) {
  EXPECT_THROW(ParseScript("Sen 1, 2\nMoji 1, 2, \"open"), ParseError);
  try {
    ParseScript("Sen 1, 2\nSen 1, vPen:=2, 3");
    FAIL();
  } catch (const ParseError& e) {
    EXPECT_EQ(e.line(), 2);
    EXPECT_NE(std::string(e.what()).find("positional"), std::string::npos);
  }
  EXPECT_THROW(ParseScript("Sen 1 2"), ParseError);
}

TEST(HostScript, CallsReachTheDrawingWithTheirArguments) {
  std::string printed;
  auto calls = RunHost(
      "PaperSize = ktpA3\n"
      "FileName = \"out/plan.dxf\"\n"
      "Sen 0, 0, 100, 0\n"
      "Sen 0, 0, 0, 50, vPen:=2, vStyl:=\"1\"\n"
      "Daen 1, 2, 3, 4, vLayer:=7\n"
      "Moji 10, 10, \"河川横断図\", ktpYoko, 0, 0, vHeight:=5, vKiten:=ktpCenterBottom\n"
      "DXFOnly = True\n"
      "print Count\n"
      "print FileName\n"
      "OutPutPlamor \"M_G_L.KVD\"\n"
      "wait\n"
      "Clear\n",
      &printed);
  std::vector<std::string> expected = {
      "PaperSize = 3",
      "FileName = \"/work/here/out/plan.dxf\"",
      "Sen 0, 0, 100, 0",
      "Sen 0, 0, 0, 50, vPen:=2, vStyl:=\"1\"",
      "Daen 1, 2, 3, 4, 0, vLayer:=7",
      "Moji 10, 10, \"河川横断図\", 0, 0, 0, vHeight:=5, vKiten:=1",
      "DXFOnly = True",
      "OutPutPlamor \"/work/here/M_G_L.KVD\"",
      "Clear"};
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(printed, " 4\n/work/here/out/plan.dxf\n");
}

TEST(HostScript, RunErrorsNameTheLineAndMember) {
  auto expectError = [](const std::string& script, const std::string& fragment) {
    try {
      RunHost(script);
      ADD_FAILURE() << "no error for " << script;
    } catch (const RunError& e) {
      EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
  };
  expectError("Sen 1, 2, 3", "line 1: Sen: Argument not optional: y2 of Sen");
  expectError("\nSen 1, 2, 3, 4, 5, 6, 7, 8, 9", "line 2: Sen: Wrong number of arguments");
  expectError("Sen \"a\", 2, 3, 4", "Type mismatch: x1 of Sen");
  expectError("Sen 1, 2, 3, 4, vColour:=2", "Named argument not found: vColour");
  expectError("Senn 1, 2, 3, 4", "line 1: Senn: no such method");
  expectError("Count = 3", "no such writable property");
  expectError("print Sen", "no such readable property");
  expectError("PaperSize = ktpA9", "unknown name ktpA9");
  expectError("Layer = 40000", "Overflow");
}

TEST(HostScript, NumbersBeyondTheRangeAndOverlongLinesAreRefusedWithTheirPlace) {
  auto errorOf = [](const std::string& script) -> std::string {
    try {
      ParseScript(script);
    } catch (const ParseError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(errorOf("Sen 0, 0, 1, 1\nSen 1e999, 0, 1, 1"),
            "line 2: Sen: the number 1e999 is beyond the range of a double (about 1.8e308) at column 5");
  EXPECT_NE(errorOf("Sen 0, 0, 1, 1, vPen:=-1e400").find("line 1: Sen: the number -1e400 is beyond"), std::string::npos);
  const std::string digits(400, '7');
  EXPECT_NE(errorOf("vPen = " + digits).find("line 1: vPen: the number 777777777777777777777777... (400 characters)"),
            std::string::npos);
  EXPECT_NE(errorOf("print LayerName(1e999)").find("line 1: LayerName: the number 1e999"), std::string::npos);
  // A number too small to hold is 0, as for any host.
  EXPECT_EQ(ParseScript("Sen 1e-400, 0, 1, 1")[0].arguments[0].value.number, 0);

  EXPECT_EQ(errorOf("Sen " + std::string(kMaxLineBytes, ',')),
            "line 1: the line holds " + std::to_string(kMaxLineBytes + 4) +
                " bytes; a script line may hold at most 65536");
  EXPECT_NO_THROW(ParseScript("Moji 0, 0, \"" + std::string(kMaxLineBytes - 30, 'x') + "\", 0, 0, 0"));
}
