#include <gtest/gtest.h>

#include <cerrno>

#include "platform/file_status.h"
#include "tests/common/test_support.h"
#ifndef _WIN32
#include "platform/linux/mode_attributes.h"
#endif

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

#ifndef _WIN32
// Windows reports the byte itself; Linux makes it from the mode and the name.
TEST(FileStatus, LinuxMakesTheAttributeByteFromModeAndName) {
    const struct {
        unsigned mode;
        bool isDirectory;
        const char* path;
        uint8_t attributes;
    } cases[] = {
        {0755, true, "/data/Photos", kAttributeDirectory},
        {0644, false, "/data/a.txt", 0},
        {0444, false, "/data/a.txt", kAttributeReadOnly},
        {0200, false, "/data/a.txt", 0},
        {0644, false, "/data/.hidden", kAttributeHidden},
        {0555, true, "/data/.git/", kAttributeDirectory | kAttributeReadOnly | kAttributeHidden},
        {0755, true, "/data/..", kAttributeDirectory},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AttributesFromMode(c.mode, c.isDirectory, c.path), c.attributes) << c.path << " " << c.mode;
    }
}
#endif

TEST(FileStatus, ReadsTheFileSystem) {
    TempDir dir;
    WriteFile(dir / "a.txt", "x");
    testsystem::Fifo fifo(dir / "pipe");
    ASSERT_TRUE(fifo.Made());
    const Result<FileStatus> file = GetFileStatus(dir / "a.txt");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->isRegularFile);
#ifdef _WIN32
    EXPECT_EQ(file->attributes, 0x20);  // archive: Windows marks every new file for backup
#else
    EXPECT_EQ(file->attributes, 0);
#endif
    const Result<FileStatus> folder = GetFileStatus(dir.Folder());
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->attributes, kAttributeDirectory);
    const Result<FileStatus> pipe = GetFileStatus(fifo.Path());
#ifdef _WIN32
    // A named pipe may have no status to give; it must never pass for a file.
    EXPECT_FALSE(pipe && pipe->isRegularFile);
#else
    ASSERT_TRUE(pipe);
    EXPECT_FALSE(pipe->isRegularFile);
#endif
    for (const std::string& missing : {dir / "missing", std::string()}) {
        const Result<FileStatus> status = GetFileStatus(missing);
        ASSERT_FALSE(status) << missing;
        EXPECT_EQ(status.GetFailure().code, ENOENT) << missing;
    }
}

}  // namespace
