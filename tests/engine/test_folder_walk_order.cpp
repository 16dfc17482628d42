// The walk lists folders ahead on several threads; what it gives must stay in
// the order of a walk that lists one folder after the other, whatever the
// tree's shape, and a folder that vanishes meanwhile must neither stall nor
// reorder it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/folder_walk.h"
#include "tests/common/test_support.h"

using testsupport::PathOf;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

namespace fs = std::filesystem;

// Names whose byte order differs from the order of whole paths: '-' and '.'
// sort before '/', capitals before lower case.
const std::vector<std::string> kTrickyNames = {"a-1.txt", "a.txt", "B.txt", "_x", "0.bin"};

struct Shape {
    std::string name;
    int depth;            // levels of folders below the root
    int foldersPerLevel;  // subfolders of each folder
    int filesPerFolder;   // besides the tricky names
};

// Folders are named "a", "b", ... so that "a" sits between "_x" and "a-1.txt".
void MakeShape(const fs::path& folder, const Shape& shape, int level) {
    for (const std::string& name : kTrickyNames) WriteFile(folder / name, name);
    for (int i = 0; i < shape.filesPerFolder; ++i) WriteFile(folder / ("f" + std::to_string(i)), "x");
    if (level == shape.depth) return;
    for (int i = 0; i < shape.foldersPerLevel; ++i) {
        const fs::path sub = folder / std::string(1, static_cast<char>('a' + i));
        fs::create_directory(sub);
        MakeShape(sub, shape, level + 1);
    }
}

// One folder after the other, names sorted: paths below the root with '/'.
void ReferenceWalk(const fs::path& folder, const std::string& relative, std::vector<std::string>& out) {
    std::vector<fs::directory_entry> entries{fs::directory_iterator(folder), fs::directory_iterator()};
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename().string() < b.path().filename().string();
    });
    for (const fs::directory_entry& entry : entries) {
        const std::string path = relative + entry.path().filename().string();
        if (entry.is_directory() && !entry.is_symlink()) {
            ReferenceWalk(entry.path(), path + "/", out);
        } else {
            out.push_back(path);
        }
    }
}

// The walk's entries, and its notes of unreadable folders as "!folder", below the root with '/'.
std::vector<std::string> Walked(const std::string& root, const std::function<void(const std::string&)>& onEntry = {}) {
    std::vector<std::string> seen;
    const auto relative = [&](std::string path) {
        path = path.substr(root.size());
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    };
    FolderWalkVisitor visitor;
    visitor.entry = [&](const FolderEntry& entry) {
        seen.push_back(relative(entry.path));
        if (onEntry) onEntry(seen.back());
    };
    visitor.unreadable = [&](const std::string& folder, const std::string& reason) {
        EXPECT_FALSE(reason.empty());
        seen.push_back("!" + relative(folder));
    };
    EXPECT_TRUE(WalkFolder(root, visitor));
    return seen;
}

class FolderWalkOrder : public testing::TestWithParam<Shape> {};

TEST_P(FolderWalkOrder, SameAsListingOneFolderAfterTheOther) {
    TempDir root;
    MakeShape(PathOf(root.Folder()), GetParam(), 0);
    std::vector<std::string> expected;
    ReferenceWalk(PathOf(root.Folder()), "", expected);
    EXPECT_EQ(Walked(root.Folder()), expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, FolderWalkOrder,
                         testing::Values(Shape{"FewLargeFolders", 1, 3, 300}, Shape{"ManySmallFolders", 3, 5, 1},
                                         Shape{"DeepChain", 60, 1, 1}),
                         [](const testing::TestParamInfo<Shape>& info) { return info.param.name; });

// Folders removed while the walk is in an earlier one: each shows at its
// place, by its entries when it was listed ahead in time, else as a folder
// that could not be read, or not at all when its parent was listed after it
// went; nothing else moves.
TEST(FolderWalkOrder, AFolderThatVanishesMidWalkKeepsItsPlace) {
    TempDir root;
    MakeShape(PathOf(root.Folder()), Shape{"", 2, 8, 10}, 0);
    std::vector<std::string> expected;
    ReferenceWalk(PathOf(root.Folder()), "", expected);
    const std::vector<std::string> vanishing = {"e", "f/c", "h"};
    bool removed = false;
    const std::vector<std::string> seen = Walked(root.Folder(), [&](const std::string& path) {
        if (removed || path.rfind("b/", 0) != 0) return;
        for (const std::string& folder : vanishing) fs::remove_all(PathOf(root / folder));
        removed = true;
    });
    ASSERT_TRUE(removed);
    // What stands for a vanished folder (its entries, its note, notes of its
    // subfolders listed before it went) becomes one mark.
    const auto marked = [&](const std::vector<std::string>& paths) {
        std::vector<std::string> out;
        for (const std::string& path : paths) {
            std::string item = path;
            const std::string named = path[0] == '!' ? path.substr(1) : path;
            for (const std::string& folder : vanishing) {
                if (named == folder || named.rfind(folder + "/", 0) == 0) item = "<" + folder + ">";
            }
            if (out.empty() || out.back() != item || item[0] != '<') out.push_back(item);
        }
        return out;
    };
    // One whose parent was listed after it went is rightly not there at all.
    const std::vector<std::string> got = marked(seen);
    std::vector<std::string> wanted = marked(expected);
    std::erase_if(wanted, [&](const std::string& item) {
        return item[0] == '<' && std::find(got.begin(), got.end(), item) == got.end();
    });
    EXPECT_EQ(got, wanted);
}

}  // namespace
