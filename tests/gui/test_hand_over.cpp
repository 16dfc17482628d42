// Work a worker hands to the window's thread never reaches a window that is gone.
#include <atomic>
#include <thread>

#include <wx/frame.h>

#include "gui_test_support.h"
#include "window/hand_over.h"

namespace {

void PostFromWorker(GuiHandOver& handOver, std::atomic<int>& ran) {
    std::thread([&] { handOver.Post([&] { ++ran; }); }).join();
}

TEST(GuiHandOverTest, WorkIsServedOnTheWindowsThread) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "hand-over");
    GuiHandOver handOver(frame);
    std::atomic<int> ran{0};
    PostFromWorker(handOver, ran);
    EXPECT_EQ(ran, 0) << "ran on the worker instead of being queued";
    EXPECT_TRUE(PumpUntil([&] { return ran == 1; }));
    delete frame;
}

TEST(GuiHandOverTest, WorkQueuedBeforeTheWindowIsDeletedIsDiscarded) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "hand-over");
    GuiHandOver handOver(frame);
    std::atomic<int> ran{0};
    PostFromWorker(handOver, ran);
    handOver.Detach();
    delete frame;
    for (int i = 0; i < 20; ++i) Pump();
    EXPECT_EQ(ran, 0);
}

TEST(GuiHandOverTest, WorkPostedAfterDetachIsDropped) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "hand-over");
    GuiHandOver handOver(frame);
    handOver.Detach();
    EXPECT_FALSE(handOver.Attached());
    std::atomic<int> ran{0};
    PostFromWorker(handOver, ran);
    for (int i = 0; i < 20; ++i) Pump();
    EXPECT_EQ(ran, 0);
    delete frame;
}

}  // namespace
