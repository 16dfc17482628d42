// The read-ahead engine: results in order, a clean stop, a source that grows,
// a pool of readers that follows the share.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <semaphore>
#include <thread>

#include "engine/ordered_probes.h"

namespace {

// A source of `size` paths named by their index, and a prober that takes a
// random while and records how many probes run at once.
struct FakeDisk {
    std::atomic<int64_t> size{0};
    std::atomic<int> running{0};
    std::atomic<int> probes{0};

    OrderedProbes::PathSource Source() {
        return [this](int64_t index, std::string& path) {
            if (index >= size) return false;
            path = std::to_string(index);
            return true;
        };
    }
    OrderedProbes::Prober Prober() {
        return [this](const std::string& path) {
            ++running;
            ++probes;
            thread_local std::mt19937 random(std::hash<std::thread::id>()(std::this_thread::get_id()));
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 2000));
            PathProbe probe;
            probe.count = std::stoi(path);
            --running;
            return probe;
        };
    }
};

// Takes items `from` up to `to` and expects each in its place, with its own probe.
void ExpectInOrder(OrderedProbes& probes, int64_t from, int64_t to) {
    OrderedProbes::Item item;
    for (int64_t expected = from; expected < to; ++expected) {
        ASSERT_TRUE(probes.Next(item));
        ASSERT_EQ(item.index, expected);
        ASSERT_EQ(item.path, std::to_string(expected));
        ASSERT_EQ(item.probe.count, expected);
    }
}

TEST(OrderedProbes, HandsResultsBackInOrderWhateverOrderReadsFinishIn) {
    FakeDisk disk;
    disk.size = 300;
    OrderedProbes probes(disk.Source(), disk.Prober(), {8, 32});
    ExpectInOrder(probes, 0, 300);
    OrderedProbes::Item item;
    EXPECT_FALSE(probes.Next(item));
}

TEST(OrderedProbes, AStopLeavesNoReadRunning) {
    FakeDisk disk;
    disk.size = 100000;
    OrderedProbes probes(disk.Source(), disk.Prober(), {16, 64});
    OrderedProbes::Item item;
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(probes.Next(item));
    probes.Stop();
    EXPECT_EQ(disk.running, 0);
    const int done = disk.probes;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(disk.probes, done);
    EXPECT_LE(done, 50 + 64 + 16);  // never further ahead than its depth
    EXPECT_FALSE(probes.Next(item));
}

// Rows a drop appends after the readers found the end are still judged, in order.
TEST(OrderedProbes, ItemsAddedAfterTheReadersFoundTheEndAreHandedBackToo) {
    FakeDisk disk;
    disk.size = 10;
    OrderedProbes probes(disk.Source(), disk.Prober(), {4, 16});
    OrderedProbes::Item item;
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(probes.Next(item));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // the readers pass the end meanwhile
    disk.size = 40;
    ExpectInOrder(probes, 5, 40);
    EXPECT_FALSE(probes.Next(item));
}

// A share with a fixed delay per file and, when `served` is set, a server
// that answers only that many at once.
struct SlowShare {
    std::chrono::microseconds delay;
    std::ptrdiff_t served;  // 0: any number at once
};

struct PoolCase {
    std::string name;
    SlowShare share;
    bool grows;  // true: climbs to the most readers; false: stops short of it and gives back what did not pay
};

class ReaderPool : public testing::TestWithParam<PoolCase> {};

TEST_P(ReaderPool, FollowsWhatTheShareServes) {
    const SlowShare share = GetParam().share;
    std::counting_semaphore<1024> server(share.served > 0 ? share.served : 1024);
    OrderedProbes probes([](int64_t index, std::string& path) { return path = std::to_string(index), true; },
                         [&](const std::string&) {
                             server.acquire();
                             std::this_thread::sleep_for(share.delay);
                             server.release();
                             return PathProbe{};
                         },
                         {4, 32, 64});
    OrderedProbes::Item item;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    const auto until = [&](const std::function<bool()>& done) {
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            if (!probes.Next(item)) return false;
        }
        return done();
    };
    if (GetParam().grows) {
        EXPECT_TRUE(until([&] { return probes.Readers() == 64; }));
    } else {
        ASSERT_TRUE(until([&] { return probes.PeakReaders() > 4; }));
        EXPECT_TRUE(until([&] { return probes.Readers() < probes.PeakReaders(); }));
        EXPECT_LT(probes.PeakReaders(), 64);
    }
    probes.Stop();
}

INSTANTIATE_TEST_SUITE_P(Shares, ReaderPool,
                         testing::Values(PoolCase{"LatencyBoundGrows", {std::chrono::microseconds(2000), 0}, true},
                                         PoolCase{"ServerBoundGivesReadersBack",
                                                  {std::chrono::microseconds(2000), 4}, false}),
                         [](const testing::TestParamInfo<PoolCase>& info) { return info.param.name; });

}  // namespace
