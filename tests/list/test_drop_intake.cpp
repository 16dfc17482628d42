#include <gtest/gtest.h>

#include "list/drop_intake.h"
#include "tests/list/list_fixture.h"

using testsupport::WaitFor;

namespace {

using DropIntakeTest = ListTest;

TEST_F(DropIntakeTest, DropAppendsRowsInDropOrder) {
    DropWorker(state, {"/old/one", "/old/two"});
    DropWorker(state, {"/data/report.doc", "/boot.ini", "/data/archive.tar.gz", "/data/README", "/data/Photos",
                "/data/report.doc"});
    ASSERT_EQ(List().RowCount(), 8);
    const std::pair<const char*, const char*> expected[] = {
        {"/data/", "report.doc"}, {"/", "boot.ini"},    {"/data/", "archive.tar.gz"},
        {"/data/", "README"},     {"/data/", "Photos"}, {"/data/", "report.doc"},
    };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(List().GetText(2 + i, kColumnLocation), expected[i].first);
        EXPECT_EQ(List().GetText(2 + i, kColumnFileName), expected[i].second);
        EXPECT_EQ(List().VerdictOf(2 + i).status, STATUS_UNKNOWN);
    }
    EXPECT_EQ(List().StatusText(), "All File : 8");
    EXPECT_TRUE(Idle());
}

TEST_F(DropIntakeTest, DroppedPathsAreKeptWhole) {
    const std::string longPath = "/" + std::string(300, 'd') + "/" + std::string(250, 'n') + ".jpg";
    DropWorker(state, {longPath});
    EXPECT_EQ(List().PathOf(0), longPath);
}

TEST_F(DropIntakeTest, ADropIsBusyFromTheMomentItIsHandedOver) {
    ASSERT_TRUE(StartDropIntake(state, {"/data/a.png", "/data/b.png"}));
    // Whatever the worker has done so far, nothing may change the list under it.
    const bool busyAtOnce = !Runs().ListChangesAllowed() || List().StatusText() == "All File : 2";
    EXPECT_TRUE(busyAtOnce);
    ASSERT_TRUE(WaitFor([this] { return Idle(); }));
    EXPECT_EQ(List().StatusText(), "All File : 2");
}

}  // namespace

#ifndef _WIN32
namespace {

// Ctrl+V with a plain-text list: absolute paths, one a line, anything else left out.
TEST(PastedText, GivesTheAbsolutePathsOfItsLines) {
    const struct {
        const char* text;
        std::vector<std::string> paths;
    } cases[] = {
        {"/a/one.png\n/b/two.gif\n", {"/a/one.png", "/b/two.gif"}},
        {"/a/crlf.png\r\n  \r\n/b/trailing.gif  ", {"/a/crlf.png", "/b/trailing.gif"}},
        {"relative.png\nhello world\n~/home.png\n", {}},
        {"/a//double/./x.png", {"/a/double/x.png"}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(AbsolutePathsInText(c.text), c.paths) << c.text;
}

}  // namespace
#endif
