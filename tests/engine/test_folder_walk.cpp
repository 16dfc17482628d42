#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/folder_walk.h"
#include "tests/common/test_support.h"
#include "tests/common/test_tree.h"

using testsupport::Native;
using testsupport::TempDir;
using testtree::kAccentedName;
using testtree::MakeTree;
using testtree::Tree;

namespace {

struct Visited {
    std::vector<std::pair<std::string, bool>> entries;  // path below the root, regular file
    std::vector<std::string> unreadable;
};

TEST(FolderWalk, DepthFirstInByteOrderWithoutFollowingLinks) {
    TempDir root;
    Tree tree;
    MakeTree(root, tree);
    const std::string prefix = root.Folder();
    Visited seen;
    FolderWalkVisitor visitor;
    visitor.entry = [&](const FolderEntry& entry) {
        ASSERT_EQ(entry.path.rfind(prefix, 0), 0u) << entry.path;
        seen.entries.emplace_back(entry.path.substr(prefix.size()), entry.isRegularFile);
    };
    visitor.unreadable = [&](const std::string& folder, const std::string& reason) {
        EXPECT_FALSE(reason.empty());
        seen.unreadable.push_back(folder.substr(prefix.size()));
    };
    EXPECT_TRUE(WalkFolder(prefix, visitor));

    const bool rootReadsAll = !testsystem::DenialsApply();
    std::vector<std::pair<std::string, bool>> expected = {
        {Native("B/b.txt"), true}, {Native("B/c.txt"), true}, {Native("B/deeper/d.txt"), true},  // 'B' < 'Z' < 'a'
        {"Z.txt", true},           {"a.txt", true},
    };
    if (testsystem::HasSymbolicLinks()) {
        expected.push_back({"filelink", false});
        expected.push_back({"folderlink", false});
    }
    if (rootReadsAll) expected.push_back({Native("locked/secret.txt"), true});
    if (tree.pipe) expected.push_back({"pipe", false});
    expected.push_back({kAccentedName, true});
    EXPECT_EQ(seen.entries, expected);
    EXPECT_EQ(seen.unreadable, rootReadsAll ? std::vector<std::string>{} : std::vector<std::string>{"locked"});

    // A stop ends the walk at the next entry, and says so.
    std::atomic<bool> stop{false};
    int visited = 0;
    visitor.entry = [&](const FolderEntry&) { ++visited, stop = true; };
    EXPECT_FALSE(WalkFolder(prefix, visitor, &stop));
    EXPECT_EQ(visited, 1);

    // An unreadable starting folder is reported, not fatal.
    seen.unreadable.clear();
    visitor.entry = nullptr;
    EXPECT_TRUE(WalkFolder(root / "missing", visitor));
    EXPECT_EQ(seen.unreadable, std::vector<std::string>{"missing"});
}

}  // namespace
