#include "platform/error_numbers.h"

#include <gtest/gtest.h>

namespace plamor {
namespace {

TEST(ErrorNumbers, MessagesAndDescriptionsAHostSees) {
  EXPECT_STREQ(ErrorMessage(11), "Division by zero");
  EXPECT_STREQ(ErrorMessage(5), "Invalid procedure call or argument");
  for (int number : {0, 7, 51, 61, 1001}) {
    EXPECT_STREQ(ErrorMessage(number), "Application-defined or object-defined error") << number;
  }
  EXPECT_STREQ(ErrorDescription(6), "オーバーフローしました。");
  EXPECT_STREQ(ErrorDescription(31037), "ファイルからの読み込み中にエラーが発生しました。");
  for (int number : {0, 48, 51, 429, 1001}) {
    EXPECT_STREQ(ErrorDescription(number), "アプリケーション定義またはオブジェクト定義のエラーです。") << number;
  }
}

}  // namespace
}  // namespace plamor
