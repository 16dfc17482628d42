#include <gtest/gtest.h>

#include "platform/wide_text.h"

namespace {

// Windows names reach the system as UTF-16: every name it gives must come
// back unchanged, lone surrogates included, and bytes that are not UTF-8
// must never turn into some other file's name.
TEST(WideText, EveryWindowsNameRoundTripsAndMalformedUtf8IsRefused) {
    const struct {
        std::u16string wide;
        std::string utf8;
    } names[] = {
        {u"report.doc", "report.doc"},
        {u"\u5831\u544A.pdf", "\xE5\xA0\xB1\xE5\x91\x8A.pdf"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::u16string(1, u'\xD800') + u"x", "\xED\xA0\x80x"},
        {std::u16string(1, u'\xDC00'), "\xED\xB0\x80"},
        {std::u16string{u'\xDC00', u'\xD800'}, "\xED\xB0\x80\xED\xA0\x80"},
    };
    for (const auto& name : names) {
        EXPECT_EQ(Utf8FromWide(name.wide), name.utf8);
        EXPECT_EQ(WideFromUtf8(name.utf8), name.wide) << name.utf8;
    }
    for (const std::string bad : {"\xFF", "\xC0\xAF", "\xE0\x80\xAF", "\xE5\xA0", "\xF4\x90\x80\x80", "a\x80"}) {
        EXPECT_FALSE(WideFromUtf8(bad).has_value()) << testing::PrintToString(bad);
    }
}

}  // namespace
