// The reader pool's climb against modelled disks: files per second as a
// function of the readers at work, each probe taking the readers over that
// rate (all busy), the judge waiting whenever the readers are what holds it up.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>

#include "engine/reader_pool_tuner.h"

namespace {

// Files per second a disk gives `readers` readers; `judgeRate` caps what the judge takes.
struct Disk {
    std::function<double(int readers)> rate;
    double judgeRate = 1e9;
};

// A share: each file takes `seconds`, up to `limit` files a second in all.
Disk Share(double seconds, double limit) {
    return {[=](int readers) { return std::min(readers / seconds, limit); }};
}

// A local disk best at `best` readers; each reader more costs 1% of its rate.
Disk LocalDisk(int best, double rate) {
    return {[=](int readers) {
        return readers <= best ? rate * readers / best : rate * std::max(0.3, 1 - 0.01 * (readers - best));
    }};
}

// Runs the tuner for `seconds` of modelled time, one observation every 10 ms.
// `change` may swap the disk part way. `settled` is the count most of the
// last second ran with: now and then a trial of half as many interrupts it.
struct Climb {
    int peak = 0;
    int settled = 0;
};
Climb ClimbFor(ReaderPoolTuner& tuner, Disk disk, double seconds, const std::function<void(double, Disk&)>& change = {}) {
    Climb climb{tuner.Readers(), tuner.Readers()};
    std::map<int, int> lastSecond;
    double now = 0;
    double probes = 0;
    double probeSeconds = 0;
    double waited = 0;
    int readers = tuner.Readers();
    for (; now < seconds; now += 0.01) {
        if (change) change(now, disk);
        const double supplied = disk.rate(readers);
        const double done = std::min(supplied, disk.judgeRate) * 0.01;
        probes += done;
        probeSeconds += done * readers / supplied;
        if (supplied < disk.judgeRate) waited += 0.01 * (1 - supplied / disk.judgeRate);
        readers = tuner.Observe(now, {waited, static_cast<int64_t>(probes), probeSeconds});
        climb.peak = std::max(climb.peak, readers);
        if (now >= seconds - 1) ++lastSecond[readers];
    }
    climb.settled = std::max_element(lastSecond.begin(), lastSecond.end(), [](const auto& a, const auto& b) {
                        return a.second < b.second;
                    })->first;
    return climb;
}

struct ClimbCase {
    std::string name;
    Disk disk;
    int expectedSettled;
    int expectedPeak;
};

class ReaderPoolTunerClimbs : public testing::TestWithParam<ClimbCase> {};

TEST_P(ReaderPoolTunerClimbs, SettlesWhereThroughputStopsRising) {
    ReaderPoolTuner tuner({32, 256});
    const Climb climb = ClimbFor(tuner, GetParam().disk, 3.0);
    EXPECT_EQ(climb.settled, GetParam().expectedSettled);
    EXPECT_EQ(climb.peak, GetParam().expectedPeak);
}

Disk JudgeBound() {
    Disk disk = Share(0.0001, 1e6);
    disk.judgeRate = 50000;
    return disk;
}

INSTANTIATE_TEST_SUITE_P(
    Disks, ReaderPoolTunerClimbs,
    testing::Values(
        // 15 ms a file (5 ms round trips): every doubling pays up to the most.
        ClimbCase{"ShareAt5ms", Share(0.015, 1e6), 256, 256},
        // The server tops out near 64 readers' worth: the leap to 256 that
        // follows a doubling which paid in full is given back.
        ClimbCase{"ShareThatSaturates", Share(0.015, 4500), 64, 256},
        // Probes of a local disk (0.8 ms at 32 readers) never make the pool grow.
        ClimbCase{"LocalDiskBestAt32", LocalDisk(32, 40000), 32, 32},
        // A slow local disk's probes take longer: 64 is tried and given back.
        ClimbCase{"SlowLocalDiskBestAt32", LocalDisk(32, 20000), 32, 64},
        // The judge never waits for the readers: nothing to gain, nothing tried.
        ClimbCase{"WarmCacheJudgeBound", JudgeBound(), 32, 32}),
    [](const testing::TestParamInfo<ClimbCase>& info) { return info.param.name; });

// A pool grown on a quiet share gives readers back once the share stops
// serving more of them, and keeps the start at the least.
TEST(ReaderPoolTuner, ShrinksWhenTheShareNoLongerRewardsTheReaders) {
    ReaderPoolTuner tuner({32, 256});
    const Climb climb = ClimbFor(tuner, Share(0.015, 1e6), 12.0, [](double now, Disk& disk) {
        if (now >= 2.0) disk = Share(0.015, 2000);  // about 32 readers' worth
    });
    EXPECT_EQ(climb.peak, 256);
    EXPECT_EQ(climb.settled, 32);
}

}  // namespace
