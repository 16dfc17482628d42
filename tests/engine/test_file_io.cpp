#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "tests/common/test_support.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// Linux's rename asks without following links (a link to the file is another
// entry it must not replace); the dry run asks following them.
TEST(SameFile, FollowsSymbolicLinksOnlyWhenAskedTo) {
    if (!testsystem::HasSymbolicLinks()) GTEST_SKIP() << "this system makes no symbolic links without special rights";
    TempDir dir;
    WriteFile(dir / "file", "x");
    WriteFile(dir / "other", "x");
    ASSERT_TRUE(testsystem::MakeSymbolicLink(dir / "file", dir / "link"));
    ASSERT_TRUE(testsystem::MakeSymbolicLink(dir / "missing", dir / "dangling"));
    const struct {
        const char* a;
        const char* b;
        bool followed;
        bool notFollowed;
    } cases[] = {
        {"file", "file", true, true},          {"file", "other", false, false},
        {"file", "link", true, false},         {"link", "link", true, true},
        {"dangling", "dangling", false, true}, {"missing", "missing", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameFile(dir / c.a, dir / c.b, SymbolicLinks::Follow), c.followed) << c.a << " " << c.b;
        EXPECT_EQ(SameFile(dir / c.a, dir / c.b, SymbolicLinks::DoNotFollow), c.notFollowed) << c.a << " " << c.b;
    }
    // A dangling link still takes its name.
    EXPECT_TRUE(EntryExists(dir / "dangling"));
    EXPECT_FALSE(EntryExists(dir / "missing"));
}

}  // namespace
