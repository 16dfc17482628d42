#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "list/file_list.h"
#include <atomic>


namespace {

class FileListTest : public ::testing::Test {
protected:
    FileList list;
};

TEST_F(FileListTest, RowsKeepInsertionOrderAndTheirTexts) {
    list.AppendRow("/b/", "1");
    list.AppendRow("/a/", "2");
    list.AppendRow("/b/", "3");
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.PathOf(0), "/b/1");
    EXPECT_EQ(list.PathOf(1), "/a/2");
    EXPECT_EQ(list.PathOf(2), "/b/3");
    EXPECT_EQ(list.GetText(2, kColumnLocation), "/b/");
    EXPECT_EQ(list.VerdictOf(2).status, STATUS_UNKNOWN);
}

TEST_F(FileListTest, RootLocationJoinsWithOneSeparator) {
    list.AppendRow("/", "boot.ini", STATUS_UNKNOWN);
    EXPECT_EQ(list.PathOf(0), "/boot.ini");
}

TEST_F(FileListTest, OutOfRangeOperationsChangeNothing) {
    list.AppendRow("/a/", "x", STATUS_UNKNOWN);
    list.SetFileName(1, "y");
    list.SetImage(0, 7);
    list.SetImage(-1, STATUS_MATCH);
    EXPECT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.GetText(0, kColumnFileName), "x");
    EXPECT_EQ(list.VerdictOf(0).status, STATUS_UNKNOWN);
    EXPECT_EQ(list.GetText(1, kColumnFileName), "");
}

TEST_F(FileListTest, ClearRemovesEveryRowAndSelectionIsPerRow) {
    for (int i = 0; i < 4; ++i) list.AppendRow("/d/", std::to_string(i), STATUS_UNKNOWN);
    list.SetSelected(1, true);
    list.SetSelected(3, true);
    EXPECT_FALSE(list.IsSelected(0));
    EXPECT_TRUE(list.IsSelected(1));
    EXPECT_TRUE(list.IsSelected(3));
    list.SetAllSelected(false);
    EXPECT_FALSE(list.IsSelected(3));
    list.Clear();
    EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(FileListTest, EveryChangeRaisesTheRevision) {
    const uint64_t start = list.Revision();
    list.AppendRow("/a/", "x", STATUS_UNKNOWN);
    const uint64_t afterAdd = list.Revision();
    EXPECT_GT(afterAdd, start);
    list.SetStatusText("All File : 1");
    EXPECT_GT(list.Revision(), afterAdd);
}

// Writers on several threads, each row written whole: no reader ever sees a
// row whose columns come from two different writes.
TEST_F(FileListTest, ConcurrentWritersNeverTearARow) {
    constexpr int kRows = 64;
    constexpr int kWriters = 4;
    constexpr int kRounds = 2000;
    for (int i = 0; i < kRows; ++i) list.AppendRow("/d/", "w0-" + std::to_string(i), STATUS_UNKNOWN);

    std::vector<std::thread> threads;
    for (int w = 1; w <= kWriters; ++w) {
        threads.emplace_back([this, w] {
            for (int round = 0; round < kRounds; ++round) {
                const int row = (round * 7 + w) % kRows;
                list.SetFileName(row, "w" + std::to_string(w) + "-" + std::string(40, char('a' + w)));
                list.SetImage(row, w % 4);
                list.AppendRow("/extra/", "e", STATUS_UNKNOWN);
            }
        });
    }
    std::atomic<bool> torn{false};
    std::thread reader([&] {
        for (int round = 0; round < kRounds; ++round) {
            const FileRow row = list.RowAt(round % kRows);
            const std::string& name = row.fileName;
            if (name.size() > 3 && name[0] == 'w' && name[1] != '0') {
                const char mark = char('a' + (name[1] - '0'));
                if (name.size() != 43 || name.find_first_not_of(mark, 3) != std::string::npos) torn = true;
            }
        }
    });
    for (std::thread& t : threads) t.join();
    reader.join();
    EXPECT_FALSE(torn);
    EXPECT_EQ(list.RowCount(), kRows + kWriters * kRounds);
}

}  // namespace
