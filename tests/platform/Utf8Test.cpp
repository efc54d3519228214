#include <gtest/gtest.h>

#include "platform/Utf8.h"

namespace molbench::platform {
namespace {

TEST(Utf8, AcceptsWellFormedTextOnlyAndReplacesOnlyBadBytes) {
  EXPECT_TRUE(isValidUtf8(""));
  EXPECT_TRUE(isValidUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"));
  EXPECT_FALSE(isValidUtf8("\xFF"));
  EXPECT_FALSE(isValidUtf8("\xC3"));              // cut short
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  // Lossy decoding replaces only the bad bytes.
  EXPECT_EQ(decodeUtf8Lossy(std::string("ab\xFF") + "cd"), std::string("ab\xEF\xBF\xBD") + "cd");
  EXPECT_EQ(decodeUtf8Lossy("x\xE2\x82"), "x\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace molbench::platform
