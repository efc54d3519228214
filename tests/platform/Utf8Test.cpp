#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace molbench::platform {
namespace {

TEST(Utf8, AcceptsWellFormedTextOnly) {
  EXPECT_TRUE(isValidUtf8(""));
  EXPECT_TRUE(isValidUtf8("plain ASCII"));
  EXPECT_TRUE(isValidUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"));
  EXPECT_FALSE(isValidUtf8("\xFF"));
  EXPECT_FALSE(isValidUtf8("\xC3"));              // cut short
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
}

TEST(Utf8, LossyDecodingReplacesOnlyTheBadBytes) {
  EXPECT_EQ(decodeUtf8Lossy("ab\xFF" "cd"), "ab\xEF\xBF\xBD" "cd");
  EXPECT_EQ(decodeUtf8Lossy("\xC3\xA9"), "\xC3\xA9");
  EXPECT_EQ(decodeUtf8Lossy("x\xE2\x82"), "x\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace molbench::platform
