#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list/folder_intake.h"
#include "list/list_state.h"
#include "tests/common/test_support.h"
#include "tests/common/test_tree.h"

using testsupport::TempDir;
using testtree::kAccentedName;
using testtree::MakeTree;
using testtree::Tree;

namespace {

TEST(FolderIntake, AddsARowPerRegularFileAndNamesUnreadableFolders) {
    ListState state;
    state.Rows().AppendRow("/earlier/", "row", STATUS_UNKNOWN);
    TempDir root;
    Tree tree;
    MakeTree(root, tree);

    ASSERT_TRUE(StartFolderIntake(state, root.Folder()));
    ASSERT_TRUE(testsupport::WaitFor([&] { return state.Runs().ListChangesAllowed(); }));
    const bool rootReadsAll = !testsystem::DenialsApply();
    const std::vector<std::string> expected = {
        "/earlier/row", root / "B/b.txt", root / "B/c.txt", root / "B/deeper/d.txt", root / "Z.txt", root / "a.txt"};
    const int32_t rows = state.Rows().RowCount();
    ASSERT_EQ(rows, rootReadsAll ? 8 : 7);
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(state.Rows().PathOf(static_cast<int32_t>(i)), expected[i]);
    EXPECT_EQ(state.Rows().GetText(rows - 1, kColumnFileName), kAccentedName);
    EXPECT_EQ(state.Rows().StatusText(),
              rootReadsAll ? "All File : 8" : "All File : 7  (could not read " + (root / "locked") + ")");
    EXPECT_TRUE(state.Runs().ListChangesAllowed());
    EXPECT_TRUE(state.Runs().IntakeAccepted());
}

}  // namespace
