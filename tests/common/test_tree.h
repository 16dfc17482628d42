// A folder tree with every kind of entry a walk meets: folders, symbolic
// links, a pipe, a name beyond ASCII, and a folder nobody may list.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "tests/common/test_files.h"
#include "tests/common/test_system.h"

namespace testtree {

using testfiles::TempDir;
using testfiles::WriteFile;

#ifdef _WIN32
inline const std::string kAccentedName = "\xC3\xA9t\xC3\xA9.jpg";  // its lead byte sorts after every ASCII letter
#else
inline const std::string kAccentedName = "\xE9t\xE9.jpg";  // not UTF-8; byte 0xE9 sorts after every ASCII letter
#endif

// What keeps the tree as it was made: the pipe and the folder's denial.
struct Tree {
    std::unique_ptr<testsystem::Fifo> pipe;
    std::unique_ptr<testsystem::Denied> locked;
};

// root/ with folders, symbolic links, a pipe, a name beyond ASCII, and a
// folder nobody may list (except root, who may list anything). Windows makes
// no links without special rights, and its named pipes live outside folders.
inline void MakeTree(const TempDir& root, Tree& tree) {
    for (const char* folder : {"B", "B/deeper", "empty", "locked"}) {
        std::filesystem::create_directory(testsupport::PathOf(root / folder));
    }
    WriteFile(root / "a.txt", "a");
    WriteFile(root / "B/c.txt", "c");
    WriteFile(root / "B/deeper/d.txt", "d");
    WriteFile(root / "B/b.txt", "b");
    WriteFile(root / "locked/secret.txt", "s");
    WriteFile(root / kAccentedName, "x");
    WriteFile(root / "Z.txt", "z");
    if (testsystem::HasSymbolicLinks()) {
        ASSERT_TRUE(testsystem::MakeSymbolicLink("B", root / "folderlink"));
        ASSERT_TRUE(testsystem::MakeSymbolicLink("a.txt", root / "filelink"));
    }
#ifndef _WIN32
    tree.pipe = std::make_unique<testsystem::Fifo>(root / "pipe");
    ASSERT_TRUE(tree.pipe->Made());
#endif
    tree.locked = std::make_unique<testsystem::Denied>(testsystem::Denial::ListFolder, root / "locked");
}

}  // namespace testtree
