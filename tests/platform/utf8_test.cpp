#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace plamor::utf8 {
namespace {

TEST(CharacterCount, CountsCharactersNotBytes) {
  EXPECT_EQ(CharacterCount(""), 0u);
  EXPECT_EQ(CharacterCount("標"), 1u);
  EXPECT_EQ(CharacterCount("標高"), 2u);
}

}  // namespace
}  // namespace plamor::utf8
