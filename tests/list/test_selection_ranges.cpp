#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "list/file_list.h"
#include "list/selection_ranges.h"

namespace {

struct RangesCase {
    const char* name;
    std::function<void(SelectionRanges&)> change;
    std::vector<RowRange> expected;  // half-open ranges
};

void PrintTo(const RangesCase& c, std::ostream* os) { *os << c.name; }

SelectionRanges Of(std::vector<std::pair<int32_t, int32_t>> inclusive) {
    SelectionRanges ranges;
    for (auto [first, last] : inclusive) ranges.Add(first, last);
    return ranges;
}

class SelectionRangesCases : public ::testing::TestWithParam<RangesCase> {};

TEST_P(SelectionRangesCases, GiveTheseRangesAndTheirRows) {
    SelectionRanges ranges;
    GetParam().change(ranges);
    EXPECT_EQ(ranges.Ranges(), GetParam().expected);
    // The rows a command walks are exactly those the ranges hold, in order.
    std::vector<int32_t> walked;
    ranges.ForEachRow([&](int32_t row) {
        walked.push_back(row);
        return true;
    });
    std::vector<int32_t> held;
    for (const RowRange& range : GetParam().expected) {
        for (int32_t row = range.first; row < range.end; ++row) held.push_back(row);
    }
    EXPECT_EQ(walked, held);
    EXPECT_EQ(ranges.Count(), static_cast<int64_t>(held.size()));
    for (int32_t row = -1; row < 14; ++row) {
        const bool inside = std::find(held.begin(), held.end(), row) != held.end();
        EXPECT_EQ(ranges.Contains(row), inside) << row;
        const auto next = std::lower_bound(held.begin(), held.end(), std::max(row, 0));
        EXPECT_EQ(ranges.NextFrom(row < 0 ? 0 : row), next == held.end() ? -1 : *next) << row;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Changes, SelectionRangesCases,
    ::testing::Values(
        RangesCase{"Nothing", [](SelectionRanges&) {}, {}},
        RangesCase{"AllIsOneRange", [](SelectionRanges& r) { r.SelectAll(1000000); }, {{0, 1000000}}},
        RangesCase{"ShiftRangeEitherWay", [](SelectionRanges& r) { r.Add(9, 3); }, {{3, 10}}},
        RangesCase{"TouchingRangesMelt", [](SelectionRanges& r) { r = Of({{1, 2}, {5, 6}, {3, 4}}); }, {{1, 7}}},
        RangesCase{"OverlapSpanningSeveral", [](SelectionRanges& r) { r = Of({{1, 1}, {4, 4}, {8, 8}, {3, 6}}); },
                   {{1, 2}, {3, 7}, {8, 9}}},
        RangesCase{"ToggleSplitsARange", [](SelectionRanges& r) { r = Of({{2, 6}}); r.Toggle(4); },
                   {{2, 4}, {5, 7}}},
        RangesCase{"ToggleAddsAndJoins", [](SelectionRanges& r) { r = Of({{2, 3}, {5, 6}}); r.Toggle(4); },
                   {{2, 7}}},
        RangesCase{"ClearAfterAll", [](SelectionRanges& r) { r.SelectAll(5); r.Clear(); }, {}},
        RangesCase{"MismatchScanAppends",
                   [](SelectionRanges& r) { for (int32_t row : {1, 2, 3, 7, 9, 10}) r.AppendRow(row); },
                   {{1, 4}, {7, 8}, {9, 11}}},
        // Delete: rows 3..4 and 8 leave; what was after them moves up.
        RangesCase{"RowsRemovedShiftTheRest",
                   [](SelectionRanges& r) { r = Of({{1, 1}, {5, 6}, {10, 12}}); r.RowsRemoved(Of({{3, 4}, {8, 8}})); },
                   {{1, 2}, {3, 5}, {7, 10}}},
        RangesCase{"RowsRemovedInsideARangeJoinIt",
                   [](SelectionRanges& r) { r = Of({{2, 3}, {6, 7}}); r.RowsRemoved(Of({{4, 5}})); }, {{2, 6}}},
        RangesCase{"TruncateToFewerRows", [](SelectionRanges& r) { r = Of({{1, 3}, {6, 9}}); r.Truncate(7); },
                   {{1, 4}, {6, 7}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The model's commands on a selection: mismatches, the rows a rename acts
// on, deleting, and finding the next cross.
TEST(FileListSelection, CommandsTakeTheirRowsFromTheRanges) {
    FileList list;
    // Rows 0..9: mismatches with a proposal at 2, 5 and 8; 6 a mismatch whose entry is unknown.
    for (int i = 0; i < 10; ++i) list.AppendRow("/d/", "f" + std::to_string(i), STATUS_MATCH);
    for (int32_t row : {2, 5, 8}) list.SetVerdict(row, {STATUS_MISMATCH, 0});
    list.SetVerdict(6, {STATUS_MISMATCH, 0});
    list.ClearExpectedType(6);

    EXPECT_EQ(list.SelectStatus(STATUS_MISMATCH), 4);
    EXPECT_EQ(list.Selection().Ranges(), (std::vector<RowRange>{{2, 3}, {5, 7}, {8, 9}}));
    EXPECT_EQ(list.SelectedWithProposalCount(), 3);
    EXPECT_EQ(list.NextSelectedWithProposal(0), 2);
    EXPECT_EQ(list.NextSelectedWithProposal(6), 8);
    EXPECT_EQ(list.NextSelectedWithProposal(9), -1);

    // Next and previous go round the list's ends.
    EXPECT_EQ(list.FindStatus(-1, true, STATUS_MISMATCH), 2);
    EXPECT_EQ(list.FindStatus(8, true, STATUS_MISMATCH), 2);
    EXPECT_EQ(list.FindStatus(2, false, STATUS_MISMATCH), 8);
    EXPECT_EQ(list.FindStatus(-1, false, STATUS_MISMATCH), 8);
    EXPECT_EQ(list.FindStatus(0, true, STATUS_FOLDER), -1);

    // Delete: the others keep their order, nothing stays selected.
    list.EditSelection([](SelectionRanges& selection, int32_t rows) {
        selection.Clear();
        selection.Add(0, 1);
        selection.Add(4, 6);
        selection.Add(rows - 1, rows - 1);
    });
    EXPECT_EQ(list.RemoveSelected(), 6);
    ASSERT_EQ(list.RowCount(), 4);
    EXPECT_EQ(list.GetText(0, kColumnFileName), "f2");
    EXPECT_EQ(list.GetText(1, kColumnFileName), "f3");
    EXPECT_EQ(list.GetText(2, kColumnFileName), "f7");
    EXPECT_EQ(list.GetText(3, kColumnFileName), "f8");
    EXPECT_EQ(list.VerdictOf(3).status, STATUS_MISMATCH);
    EXPECT_EQ(list.SelectedCount(), 0);
    EXPECT_EQ(list.RemoveSelected(), 0);
    const FileList::StatusCounts counts = list.CountStatuses();
    EXPECT_EQ(counts.mismatches, 2);
    EXPECT_EQ(counts.matches, 2);
}

}  // namespace
