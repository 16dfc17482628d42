#include <gtest/gtest.h>

#include "list/status_texts.h"

namespace {

TEST(StatusTexts, HaveTheirExactShapes) {
    EXPECT_EQ(AllFileText(8), "All File : 8");
    EXPECT_EQ(CheckFileText("/data/a.jpg"), "Check file: /data/a.jpg");
    EXPECT_EQ(CheckSummaryText(3, 2), "All File : 3  CheckFile : 2");
    EXPECT_EQ(CheckAbortedText(0, 0), "Check Aborted.  All File : 0  CheckFile : 0");
    EXPECT_EQ(RenamedText(27, 3), "Renamed 27 files, 3 not renamed");
    EXPECT_EQ(RenamedText(1, 0), "Renamed 1 file");
    EXPECT_EQ(RenamedText(0, 1), "Renamed 0 files, 1 not renamed");
    EXPECT_EQ(CountsText(1, 2, 0, 1, 3), "1 mismatch, 2 matches, 0 unknown, 1 folder, 3 unreadable");
    EXPECT_EQ(UnreadableFoldersNote({}), "");
    EXPECT_EQ(UnreadableFoldersNote({"/x/locked"}), "  (could not read /x/locked)");
    EXPECT_EQ(UnreadableFoldersNote({"/a", "/b"}), "  (2 folders could not be read)");
}

}  // namespace
