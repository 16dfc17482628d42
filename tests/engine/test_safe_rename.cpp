#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/safe_rename.h"
#include "tests/common/test_support.h"

using testsupport::PathOf;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

bool Listed(const std::filesystem::path& folder, const std::string& name) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (testsupport::Utf8Of(entry.path().filename()) == name) return true;
    }
    return false;
}

TEST(RenameNoReplace, RefusesToReplaceAnotherFile) {
    TempDir dir;
    WriteFile(dir / "a.gif", "AAAA");
    WriteFile(dir / "a.png", "BBBB");
    const std::optional<Failure> failure = RenameNoReplace(dir / "a.gif", dir / "a.png");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->code, EEXIST);
    EXPECT_EQ(ReadFile(dir / "a.gif"), "AAAA");
    EXPECT_EQ(ReadFile(dir / "a.png"), "BBBB");
}

TEST(RenameNoReplace, HandlesTheOrdinaryAndTheOddNames) {
    TempDir dir;
    std::filesystem::create_directory(PathOf(dir / "sub"));
    const struct {
        std::string from, to;
    } cases[] = {
        {"plain.gif", "plain.png"},
        {"photo.JPG", "photo.jpg"},            // a change of case only
        {"same.txt", "same.txt"},              // onto its own path
        {"move.txt", "sub/moved.txt"},         // a name holding a separator
#ifdef _WIN32
        {"caf\xC3\xA9.gif", "\xE5\xA0\xB1\xF0\x9F\x98\x80.png"},  // beyond the ANSI code page
#else
        {"caf\xE9.gif", "caf\xE9\xFF.png"},    // bytes that are not UTF-8
#endif
    };
    for (const auto& c : cases) {
        WriteFile(dir / c.from, "content of " + c.from);
        const std::optional<Failure> failure = RenameNoReplace(dir / c.from, dir / c.to);
        EXPECT_EQ(failure, std::nullopt) << c.from << ": " << failure.value_or(Failure{}).reason;
        EXPECT_EQ(ReadFile(dir / c.to), "content of " + c.from);
        if (c.from != c.to) {
            // Listed, not looked up: a case-blind lookup finds the new name under the old.
            EXPECT_FALSE(Listed(dir.Path(), c.from)) << c.from;
        }
    }
}

TEST(RenameNoReplace, ReportsWhatTheSystemRefuses) {
    TempDir dir;
    std::filesystem::create_directory(PathOf(dir / "locked"));
    WriteFile(dir / "locked/a.gif", "x");
    std::optional<Failure> readOnly;
    {
        const testsystem::Denied denied(testsystem::Denial::RenameFile, dir / "locked/a.gif");
        readOnly = RenameNoReplace(dir / "locked/a.gif", dir / "locked/a.png");
    }
    if (testsystem::DenialsApply()) {  // root may write anywhere
        ASSERT_TRUE(readOnly.has_value());
        EXPECT_EQ(readOnly->code, EACCES);
        EXPECT_FALSE(readOnly->reason.empty());
        EXPECT_EQ(ReadFile(dir / "locked/a.gif"), "x");
    }
    const std::optional<Failure> missing = RenameNoReplace(dir / "missing.gif", dir / "missing.png");
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->code, ENOENT);
    EXPECT_FALSE(missing->reason.empty());
    WriteFile(dir / "b.gif", "x");
    EXPECT_TRUE(RenameNoReplace(dir / "b.gif", dir / "nowhere/b.png").has_value());
    EXPECT_EQ(ReadFile(dir / "b.gif"), "x");
}

}  // namespace
