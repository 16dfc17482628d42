#include <gtest/gtest.h>

#include "platform/file_reader.h"
#include "platform/file_status.h"
#include "platform/path_split.h"
#include "platform/text_compare.h"
#include "platform/wide_text.h"
#include "tests/common/test_support.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct SplitCase {
    std::string path;
    PathParts parts;
};

void ExpectParts(const PathParts& actual, const PathParts& expected, const std::string& path) {
    EXPECT_EQ(actual.drive, expected.drive) << path;
    EXPECT_EQ(actual.directory, expected.directory) << path;
    EXPECT_EQ(actual.baseName, expected.baseName) << path;
    EXPECT_EQ(actual.extension, expected.extension) << path;
}

TEST(SplitPath, PosixRules) {
    const SplitCase cases[] = {
        {"/data/report.doc", {"", "/data/", "report", ".doc"}},
        {"/boot.ini", {"", "/", "boot", ".ini"}},
        {"/data/archive.tar.gz", {"", "/data/", "archive.tar", ".gz"}},
        {"/data/README", {"", "/data/", "README", ""}},
        {"/data/Photos", {"", "/data/", "Photos", ""}},
        {"/home/me/.profile", {"", "/home/me/", ".profile", ""}},
        {"/home/me/.config.bak", {"", "/home/me/", ".config", ".bak"}},
        {"/a.b/file", {"", "/a.b/", "file", ""}},
        {"name.", {"", "", "name", "."}},
        {"C:\\x.txt", {"", "", "C:\\x", ".txt"}},
        {"/data/caf\xE9.jpg", {"", "/data/", "caf\xE9", ".jpg"}},
        {"", {"", "", "", ""}},
    };
    for (const SplitCase& c : cases) ExpectParts(SplitPathPosix(c.path), c.parts, c.path);
}

TEST(SplitPath, WindowsRules) {
    const SplitCase cases[] = {
        {"C:\\Data\\report.doc", {"C:", "\\Data\\", "report", ".doc"}},
        {"C:\\boot.ini", {"C:", "\\", "boot", ".ini"}},
        {"C:\\Data\\archive.tar.gz", {"C:", "\\Data\\", "archive.tar", ".gz"}},
        {"C:\\Data\\Photos", {"C:", "\\Data\\", "Photos", ""}},
        {"D:relative.txt", {"D:", "", "relative", ".txt"}},
        {"\\\\server\\share\\a.b", {"", "\\\\server\\share\\", "a", ".b"}},
        {"C:/mixed\\sep/x.y", {"C:", "/mixed\\sep/", "x", ".y"}},
        {".hidden", {"", "", "", ".hidden"}},
    };
    for (const SplitCase& c : cases) ExpectParts(SplitPathWindows(c.path), c.parts, c.path);
}

TEST(SplitPath, LocationAndNameJoinBackToThePath) {
    for (const char* path : {"/data/report.doc", "/boot.ini", "/data/archive.tar.gz", "/data/README", "rel/x"}) {
        const PathParts parts = SplitPathPosix(path);
        EXPECT_EQ(LocationOf(parts) + FileNameOf(parts), path);
    }
    const PathParts windows = SplitPathWindows("C:\\boot.ini");
    EXPECT_EQ(LocationOf(windows), "C:\\");
    EXPECT_EQ(FileNameOf(windows), "boot.ini");
}

TEST(EqualsIgnoreAsciiCase, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(EqualsIgnoreAsciiCase(".JPG", ".jpg"));
    EXPECT_TRUE(EqualsIgnoreAsciiCase("", ""));
    EXPECT_FALSE(EqualsIgnoreAsciiCase(".jpg", ".jpeg"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC3\xA9", "\xC3\x89"));  // é and É differ
    EXPECT_FALSE(EqualsIgnoreAsciiCase("[", "{"));                // 0x5B vs 0x7B: not letters
    EXPECT_FALSE(EqualsIgnoreAsciiCase("@", "`"));
}

TEST(FileStatus, AttributeByteMapping) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows reports the attribute byte itself: the mapping from POSIX mode bits is not built there";
#else
    EXPECT_EQ(AttributesFromMode(0755, true, "/data/Photos"), kAttributeDirectory);
    EXPECT_EQ(AttributesFromMode(0644, false, "/data/a.txt"), 0);
    EXPECT_EQ(AttributesFromMode(0444, false, "/data/a.txt"), kAttributeReadOnly);
    EXPECT_EQ(AttributesFromMode(0200, false, "/data/a.txt"), 0);
    EXPECT_EQ(AttributesFromMode(0644, false, "/data/.hidden"), kAttributeHidden);
    EXPECT_EQ(AttributesFromMode(0555, true, "/data/.git/"), kAttributeDirectory | kAttributeReadOnly | kAttributeHidden);
    EXPECT_EQ(AttributesFromMode(0755, true, "/data/.."), kAttributeDirectory);
#endif
}

TEST(FileStatus, ReadsTheFileSystem) {
    TempDir dir;
    WriteFile(dir / "a.txt", "x");
    testsystem::Fifo fifo(dir / "pipe");
    ASSERT_TRUE(fifo.Made());
    const auto file = GetFileStatus(dir / "a.txt");
    ASSERT_TRUE(file.has_value());
    EXPECT_TRUE(file->isRegularFile);
#ifdef _WIN32
    EXPECT_EQ(file->attributes, 0x20);  // archive: Windows marks every new file for backup
#else
    EXPECT_EQ(file->attributes, 0);
#endif
    const auto folder = GetFileStatus(dir.Folder());
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->attributes, kAttributeDirectory);
    const auto pipe = GetFileStatus(fifo.Path());
#ifdef _WIN32
    // A named pipe may have no status to give; it must never pass for a file.
    EXPECT_FALSE(pipe.has_value() && pipe->isRegularFile);
#else
    ASSERT_TRUE(pipe.has_value());
    EXPECT_FALSE(pipe->isRegularFile);
#endif
    EXPECT_FALSE(GetFileStatus(dir / "missing").has_value());
    EXPECT_FALSE(GetFileStatus("").has_value());
}

TEST(LeadingBytes, ReadsAtMostWhatIsAskedForWhateverTheSize) {
    TempDir dir;
    for (int size : {0, 1, 2, 63, 64, 65, 4096}) {
        std::string bytes(size, '\0');
        for (int i = 0; i < size; ++i) bytes[i] = char(i * 7);
        WriteFile(dir / "f", bytes);
        unsigned char buffer[64];
        const int count = ReadLeadingBytes(dir / "f", buffer, 64);
        ASSERT_EQ(count, std::min(size, 64)) << size;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), count), bytes.substr(0, 64)) << size;
    }
}

TEST(LeadingBytes, RefusesWhatIsNotARegularFileWithoutBlocking) {
    TempDir dir;
    testsystem::Fifo fifo(dir / "pipe");
    ASSERT_TRUE(fifo.Made());
    unsigned char buffer[64];
    EXPECT_EQ(ReadLeadingBytes(fifo.Path(), buffer, 64), -1);
    EXPECT_EQ(ReadLeadingBytes(dir.Folder(), buffer, 64), -1);
    EXPECT_EQ(ReadLeadingBytes(dir / "missing", buffer, 64), -1);
    EXPECT_EQ(ReadLeadingBytes(testsystem::kZeroDevice, buffer, 64), -1);
}


// Windows names reach the system as UTF-16: every name it gives must come
// back unchanged, lone surrogates included, and bytes that are not UTF-8
// must never turn into some other file's name.
TEST(WideText, EveryWindowsNameRoundTripsAndMalformedUtf8IsRefused) {
    const struct {
        std::u16string wide;
        std::string utf8;
    } names[] = {
        {u"report.doc", "report.doc"},
        {u"\u5831\u544A.pdf", "\xE5\xA0\xB1\xE5\x91\x8A.pdf"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::u16string(1, u'\xD800') + u"x", "\xED\xA0\x80x"},
        {std::u16string(1, u'\xDC00'), "\xED\xB0\x80"},
        {std::u16string{u'\xDC00', u'\xD800'}, "\xED\xB0\x80\xED\xA0\x80"},
    };
    for (const auto& name : names) {
        EXPECT_EQ(Utf8FromWide(name.wide), name.utf8);
        EXPECT_EQ(WideFromUtf8(name.utf8), name.wide) << name.utf8;
    }
    for (const std::string bad : {"\xFF", "\xC0\xAF", "\xE0\x80\xAF", "\xE5\xA0", "\xF4\x90\x80\x80", "a\x80"}) {
        EXPECT_FALSE(WideFromUtf8(bad).has_value()) << testing::PrintToString(bad);
    }
}

}  // namespace
