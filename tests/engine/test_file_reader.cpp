#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_reader.h"
#include "tests/common/test_support.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

TEST(LeadingBytesFile, ReadsAtMostWhatIsAskedForWhateverTheSize) {
    TempDir dir;
    for (int size : {0, 1, 2, 63, 64, 65, 4096}) {
        std::string bytes(size, '\0');
        for (int i = 0; i < size; ++i) bytes[i] = char(i * 7);
        WriteFile(dir / "f", bytes);
        LeadingBytesFile file;
        ASSERT_EQ(file.Open(dir / "f"), std::nullopt) << size;
        unsigned char buffer[64];
        const Result<int> count = file.Read(buffer, 64);
        ASSERT_TRUE(count) << size;
        ASSERT_EQ(*count, std::min(size, 64)) << size;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), *count), bytes.substr(0, 64)) << size;
        EXPECT_EQ(file.Size().ValueOr(-1), size);
        const Result<int64_t> tail = file.ReadAt(size / 2, buffer, 64);
        ASSERT_TRUE(tail) << size;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), *tail), bytes.substr(size / 2, 64)) << size;
        EXPECT_EQ(file.ReadAt(size, buffer, 64).ValueOr(-1), 0) << size;
    }
}

// Neither way of opening may wait on a pipe or a device, nor take a folder for a file.
TEST(OpeningAFile, RefusesWhatIsNotARegularFileWithoutBlockingAndSaysWhy) {
    TempDir dir;
    testsystem::Fifo fifo(dir / "pipe");
    ASSERT_TRUE(fifo.Made());
    for (const std::string& path : {fifo.Path(), dir.Folder(), std::string(testsystem::kZeroDevice), dir / "missing"}) {
        LeadingBytesFile file;
        const std::optional<Failure> failure = file.Open(path);
        ASSERT_TRUE(failure.has_value()) << path;
        unsigned char buffer[1];
        EXPECT_FALSE(file.Read(buffer, 1)) << path;
        const Result<FileHandle> buffered = OpenRegularFileForReading(path);
        ASSERT_FALSE(buffered) << path;
        if (path == dir / "missing") {
            EXPECT_EQ(failure->code, ENOENT);
            EXPECT_EQ(buffered.GetFailure().code, ENOENT);
            continue;
        }
#ifndef _WIN32  // Windows refuses a folder as denied
        EXPECT_EQ(failure->code, EINVAL) << path;
        EXPECT_EQ(buffered.GetFailure().reason, "not a regular file") << path;
#endif
    }
}

}  // namespace
