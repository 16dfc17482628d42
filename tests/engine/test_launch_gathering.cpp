// Launches that Explorer makes one per selected item meet in one of them.
#include <algorithm>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/launch_gathering.h"

namespace {

TEST(LaunchGathering, ABurstOfLaunchesHandsEveryPathToOne) {
#ifndef _WIN32
    GTEST_SKIP() << "Linux file managers give the whole selection to one launch";
#else
    const std::vector<std::vector<std::string>> launches = {
        {"C:\\burst\\d.gif"}, {"C:\\burst\\a.png", "C:\\burst\\b.pdf"}, {"C:\\burst\\c.zip"}, {"C:\\burst\\a.png"}};
    std::vector<std::optional<std::vector<std::string>>> results(launches.size());
    std::vector<std::thread> threads;
    const LaunchGathering gathering{"GatheringTest", 3000, 15000};
    for (size_t i = 0; i < launches.size(); ++i) {
        threads.emplace_back([&, i] { results[i] = GatherLaunchPaths(launches[i], gathering); });
    }
    for (std::thread& thread : threads) thread.join();

    const auto kept = std::count_if(results.begin(), results.end(), [](const auto& r) { return r.has_value(); });
    ASSERT_EQ(kept, 1) << "exactly one launch keeps a window";
    const auto window = std::find_if(results.begin(), results.end(), [](const auto& r) { return r.has_value(); });
    // In name order, a path given twice listed once.
    EXPECT_EQ(**window, (std::vector<std::string>{"C:\\burst\\a.png", "C:\\burst\\b.pdf", "C:\\burst\\c.zip",
                                                   "C:\\burst\\d.gif"}));
    // Alone, a launch keeps its own paths once the quiet time has passed.
    EXPECT_EQ(GatherLaunchPaths({"C:\\alone.txt"}, LaunchGathering{"GatheringTest", 200, 1000}),
              (std::vector<std::string>{"C:\\alone.txt"}));
#endif
}

}  // namespace
