#include <gtest/gtest.h>

#include "platform/text_compare.h"

namespace {

TEST(EqualsIgnoreAsciiCase, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(EqualsIgnoreAsciiCase(".JPG", ".jpg"));
    EXPECT_TRUE(EqualsIgnoreAsciiCase("", ""));
    EXPECT_FALSE(EqualsIgnoreAsciiCase(".jpg", ".jpeg"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC3\xA9", "\xC3\x89"));  // é and É differ
    EXPECT_FALSE(EqualsIgnoreAsciiCase("[", "{"));                // 0x5B vs 0x7B: not letters
    EXPECT_FALSE(EqualsIgnoreAsciiCase("@", "`"));
}

}  // namespace
