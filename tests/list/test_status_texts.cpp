#include <gtest/gtest.h>

#include "list/status_texts.h"

namespace {

TEST(StatusTexts, HaveTheirExactShapes) {
    EXPECT_EQ(AllFileText(8), "All File : 8");
    EXPECT_EQ(CheckFileText("/data/a.jpg"), "Check file: /data/a.jpg");
    EXPECT_EQ(CheckSummaryText(3, 2), "All File : 3  CheckFile : 2");
    EXPECT_EQ(CheckAbortedText(0, 0), "Check Aborted.  All File : 0  CheckFile : 0");
}

}  // namespace
