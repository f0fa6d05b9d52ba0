#include <gtest/gtest.h>

#include "platform/message_text.h"

using plamor::msgtext::Quoted;

TEST(MessageText, FieldsAreQuotedWithControlsEscapedAndLongOnesCut) {
  EXPECT_EQ(Quoted("l2"), "\"l2\"");
  EXPECT_EQ(Quoted("荒見川"), "\"荒見川\"");
  // A CR would move the terminal's cursor to the start of the line.
  EXPECT_EQ(Quoted("a\rb\nc\fd\te"), "\"a\\rb\\nc\\fd\\te\"");
  EXPECT_EQ(Quoted(std::string("\x1b[2J\0\x7f", 6)), "\"\\x1B[2J\\x00\\x7F\"");
  EXPECT_EQ(Quoted("say \"hi\" \\"), "\"say \\\"hi\\\" \\\\\"");
  EXPECT_EQ(Quoted("\xC2\x85"), "\"\\xC2\\x85\"");  // a C1 control (NEL)
  EXPECT_EQ(Quoted("\x82\xA0"), "\"\\x82\\xA0\"");  // not UTF-8
  // Cut after 40 characters, never inside a character.
  EXPECT_EQ(Quoted(std::string(100000, 'A')), "\"" + std::string(40, 'A') + "...\" (100000 bytes)");
  std::string kanji;
  for (int k = 0; k < 50; ++k) kanji += "川";
  std::string forty;
  for (int k = 0; k < 40; ++k) forty += "川";
  EXPECT_EQ(Quoted(kanji), "\"" + forty + "...\" (150 bytes)");
  EXPECT_EQ(Quoted(std::string(40, 'B')), "\"" + std::string(40, 'B') + "\"");
}
