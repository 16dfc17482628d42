#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "list/list_state.h"
#include "tests/common/test_support.h"

namespace {

// The expected type is derived from the verdict, so a rename's cleared
// column and a new name never disagree with the status.
TEST(ListState, TheExpectedTypeFollowsTheVerdict) {
    ASSERT_EQ(testsupport::LoadTable(testsupport::kHeader + "0,FFD8FF,0,,JPEG image,jpg\n"), std::nullopt);
    ListState state(testsupport::LoadedTable());
    FileList& list = state.Rows();
    list.AppendRow("/data/", "photo.gif");
    list.SetVerdict(0, {STATUS_MISMATCH, 0});
    EXPECT_EQ(state.CellText(0, kColumnExpectType), "JPEG image; jpg");
    list.SetFileName(0, "photo.jpg");
    EXPECT_EQ(list.PathOf(0), "/data/photo.jpg");
    list.ClearExpectedType(0);
    EXPECT_EQ(state.CellText(0, kColumnExpectType), "");
    EXPECT_EQ(list.VerdictOf(0).status, STATUS_MISMATCH);
    list.SetVerdict(0, {STATUS_MATCH, 0});
    EXPECT_EQ(state.CellText(0, kColumnExpectType), "");
}

// The window's end: every worker is asked to stop and waited for, and none
// starts afterwards.
TEST(ListState, StoppingJoinsEveryWorkerAndStartsNoMore) {
    ListState state;
    std::atomic<int> ended{0};
    for (int i = 0; i < 3; ++i) {
        state.StartWorker([&ended](std::stop_token stop) {
            while (!stop.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ++ended;
        });
    }
    state.StopWorkers();
    EXPECT_EQ(ended, 3);
    state.StartWorker([&ended](std::stop_token) { ++ended; });
    state.StopWorkers();
    EXPECT_EQ(ended, 3);
}

}  // namespace
