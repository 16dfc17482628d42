// Judging paths found by a walk: the same order for any read-ahead, a stop
// mid-walk, and a walk that waits instead of holding a whole tree.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "engine/path_run.h"
#include "engine/walked_paths.h"
#include "tests/common/test_support.h"

using testsupport::PathOf;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

namespace fs = std::filesystem;

// root/dN/ (N = 0..5), each with files 0..149 (".png" with PNG bytes), and
// two loose files; the expected order given the arguments below.
struct RunTree {
    TempDir root;
    std::vector<std::string> arguments;
    std::vector<std::string> expected;

    RunTree() {
        for (int d = 5; d >= 0; --d) {  // made in reverse: the order must come from sorting
            fs::create_directory(PathOf(root / ("d" + std::to_string(d))));
            for (int f = 149; f >= 0; --f) {
                WriteFile(root / ("d" + std::to_string(d) + "/" + std::to_string(f) + ".png"), testsupport::kPngBytes);
            }
        }
        WriteFile(root / "loose.png", testsupport::kPngBytes);
        arguments = {root / "loose.png", root.Folder(), root / "missing.png"};
        expected.push_back(root / "loose.png");
        std::vector<std::string> names;
        for (int f = 0; f < 150; ++f) names.push_back(std::to_string(f) + ".png");
        std::sort(names.begin(), names.end());
        for (int d = 0; d < 6; ++d) {
            for (const std::string& name : names) expected.push_back(root / ("d" + std::to_string(d) + "/" + name));
        }
        expected.push_back(root / "loose.png");
        expected.push_back(root / "missing.png");
    }
};

struct Settings {
    std::string name;
    ReadAheadSettings readAhead;
};

class PathRunOrder : public testing::TestWithParam<Settings> {};

TEST_P(PathRunOrder, ArgumentsInTurnFoldersInWalkOrder) {
    testsupport::LoadSmallTable();
    RunTree tree;
    std::vector<std::string> seen;
    int judged = 0;
    RunPaths(tree.arguments, true, testsupport::Table(), false, [&](const PathRunItem& item) {
        seen.push_back(item.path);
        judged += item.verdict.judged && item.verdict.verdict.status == STATUS_MATCH;
        return true;
    }, GetParam().readAhead);
    EXPECT_EQ(seen, tree.expected);
    EXPECT_EQ(judged, 902);  // every PNG matched with its own bytes: no probe went to another path
}

INSTANTIATE_TEST_SUITE_P(ReadAhead, PathRunOrder,
                         testing::Values(Settings{"OneReader", {1, 1}}, Settings{"FewReaders", {4, 16}},
                                         Settings{"GrowingPool", {2, 8, 64}}, Settings{"Default", kDefaultReadAhead}),
                         [](const testing::TestParamInfo<Settings>& info) { return info.param.name; });

// A stop mid-walk ends the run at once: nothing after it is handed on, and
// the walker, the listers and the readers are gone when RunPaths returns.
TEST(PathRun, StopsMidWalk) {
    testsupport::LoadSmallTable();
    RunTree tree;
    int calls = 0;
    RunPaths({tree.root.Folder()}, true, testsupport::Table(), false, [&](const PathRunItem& item) {
        EXPECT_EQ(item.path, tree.expected[static_cast<size_t>(calls) + 1]);
        return ++calls < 500;
    });
    EXPECT_EQ(calls, 500);
}

// The walk waits once it is the given stretch ahead of the judge, and goes on
// when the judge has released half of it.
TEST(WalkedPaths, TheWalkWaitsForTheJudge) {
    WalkedPaths paths(100);
    std::atomic<int> added{0};
    std::thread walker([&] {
        for (int batch = 0; batch < 4; ++batch) {
            std::vector<WalkedPaths::Entry> entries(60, WalkedPaths::Entry{"p", {}});
            if (!paths.Add(entries)) return;
            added += 60;
        }
        paths.Finish();
    });
    ASSERT_TRUE(testsupport::WaitFor([&] { return added == 120; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(added, 120);  // 120 held: the third batch waits
    WalkedPaths::Entry entry;
    ASSERT_TRUE(paths.Get(119, entry));
    paths.Release(70);  // 50 held
    ASSERT_TRUE(testsupport::WaitFor([&] { return added == 180; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(added, 180);
    EXPECT_FALSE(paths.Get(10, entry));  // released
    paths.Cancel();
    walker.join();
    EXPECT_FALSE(paths.Get(179, entry));
}

}  // namespace
