#include "platform/cp932.h"

#include <gtest/gtest.h>

using namespace plamor::cp932;

TEST(Cp932, ConvertsBothWays) {
  EXPECT_EQ(FromUtf8("ABC"), "ABC");
  EXPECT_EQ(FromUtf8("あ"), "\x82\xA0");
  EXPECT_EQ(FromUtf8("河川横断図"), "\x89\xCD\x90\xEC\x89\xA1\x92\x66\x90\x7D");
  EXPECT_EQ(FromUtf8("ｷｬﾝｾﾙ"), "\xB7\xAC\xDD\xBE\xD9");
  EXPECT_EQ(ToUtf8("\x82\xA0" "A"), "あA");
  EXPECT_EQ(ToUtf8(FromUtf8("標高 距離 水系名：①")), "標高 距離 水系名：①");
}

TEST(Cp932, UnrepresentableCharactersBecomeOneQuestionMark) {
  EXPECT_EQ(FromUtf8("a€b"), "a?b");
  EXPECT_EQ(FromUtf8("😀"), "?");
  EXPECT_EQ(FromUtf8("x\xFFy"), "x?y");     // invalid UTF-8 byte
  EXPECT_EQ(FromUtf8("x\xE3\x81"), "x?");   // cut-off sequence at the end
  EXPECT_EQ(ByteLength("a€b"), 3u);
  EXPECT_EQ(ToUtf8("\x82"), "?");           // lone lead byte
}

TEST(Cp932, LinuxCodePointsOfJapaneseSignsMapToTheirCodePageForms) {
  EXPECT_EQ(FromUtf8("〜"), "\x81\x60");
  EXPECT_EQ(FromUtf8("−"), "\x81\x7C");
  EXPECT_EQ(FromUtf8("～"), "\x81\x60");
}

TEST(Cp932, ByteLengthAndSingleByteText) {
  EXPECT_EQ(ByteLength("ABC"), 3u);
  EXPECT_EQ(ByteLength("あい"), 4u);
  EXPECT_EQ(ByteLength("AB漢"), 4u);
  EXPECT_EQ(ByteLength("ｱｲ"), 2u);
  EXPECT_TRUE(IsSingleByteText("ABC"));
  EXPECT_TRUE(IsSingleByteText("ｱｲｳ"));
  EXPECT_FALSE(IsSingleByteText("AB漢"));
  EXPECT_TRUE(IsLeadByte(0x82));
  EXPECT_FALSE(IsLeadByte(0xB1));
}
