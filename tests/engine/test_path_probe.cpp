#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <sstream>

#include "engine/path_check.h"
#include "platform/error_text.h"
#include "platform/folder_walk.h"
#include "platform/path_probe.h"
#include "tests/common/test_support.h"
#include "tests/common/test_system.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// A path that cannot be judged carries the system's words for why, as the
// command line prints them; a folder or a file that was read carries none.
TEST(ProbePath, TellsWhatFailedInTheSystemsWords) {
    TempDir dir;
    WriteFile(dir / "a.png", testsupport::kPngBytes);
    WriteFile(dir / "locked.png", testsupport::kPngBytes);
    std::unique_ptr<testsystem::Denied> denied;
    if (testsystem::DenialsApply()) {
        denied = std::make_unique<testsystem::Denied>(testsystem::Denial::ReadFile, dir / "locked.png");
    }
    const struct {
        std::string path;
        bool exists;
        bool opened;
        int count;
        int failure;  // the failure's code, 0 for none
    } cases[] = {
        {dir / "a.png", true, true, static_cast<int>(testsupport::kPngBytes.size()), 0},
        {dir.Folder(), true, false, -1, 0},
        {dir / "missing", false, false, -1, ENOENT},
        {dir / "locked.png", true, denied == nullptr, denied ? -1 : static_cast<int>(testsupport::kPngBytes.size()),
         denied ? EACCES : 0},
    };
    for (const auto& c : cases) {
        const PathProbe probe = ProbePath(c.path);
        EXPECT_EQ(probe.exists, c.exists) << c.path;
        EXPECT_EQ(probe.opened, c.opened) << c.path;
        EXPECT_EQ(probe.count, c.count) << c.path;
        if (c.failure == 0) {
            EXPECT_EQ(probe.failure, std::nullopt) << c.path;
        } else {
            EXPECT_EQ(probe.failure, (Failure{ErrorText(c.failure), c.failure})) << c.path;
        }
    }
}

// Everything a probe tells, in one line, so two probes compare whole.
std::string Described(const PathProbe& probe) {
    std::ostringstream out;
    out << "exists " << probe.exists << ", attributes " << static_cast<int>(probe.attributes) << ", regular "
        << probe.isRegularFile << ", opened " << probe.opened << ", count " << probe.count << ", failure "
        << (probe.failure ? probe.failure->reason + " " + std::to_string(probe.failure->code) : "none") << ", bytes "
        << std::string(reinterpret_cast<const char*>(probe.bytes), static_cast<size_t>(std::max(probe.count, 0)))
        << ", member " << probe.member.value_or("none");
    return out.str();
}

// A path the folder listing named a regular file is opened without a status
// taken first; whatever stands there by the time it is probed (a link, a
// pipe, a folder, nothing), the probe is the one the status-first order
// gives, and a pipe swapped in is never waited on.
TEST(ProbePath, ListedTypeGivesTheSameProbeAsStatusFirst) {
    namespace fs = std::filesystem;
    TempDir dir;
    std::vector<std::unique_ptr<testsystem::Fifo>> pipes;
    const auto makeFile = [&](const std::string& name) { WriteFile(dir / name, testsupport::kPngBytes); };
    const auto makePipe = [&](const std::string& name) {
        pipes.push_back(std::make_unique<testsystem::Fifo>(dir / name));
        ASSERT_TRUE(pipes.back()->Made());
    };
    const auto remove = [&](const std::string& name) { fs::remove(testsupport::PathOf(dir / name)); };
    const bool links = testsystem::HasSymbolicLinks();
#ifdef _WIN32
    const bool pipesInFolders = false;  // a named pipe lives outside every folder
    const bool linksListedAsFiles = true;  // a link to a file is no folder to its listing
#else
    const bool pipesInFolders = true;
    const bool linksListedAsFiles = false;
#endif
    const struct {
        std::string name;
        bool applies;
        std::function<void()> before;  // makes the entry the walk lists
        std::function<void()> after;   // changes it between the listing and the probe
        bool listedRegular;
    } cases[] = {
        {"plain.png", true, [&] { makeFile("plain.png"); }, [] {}, true},
        {".hidden-read-only.png", true,
         [&] {
             makeFile(".hidden-read-only.png");
             testsystem::MarkHidden(dir / ".hidden-read-only.png");
             fs::permissions(testsupport::PathOf(dir / ".hidden-read-only.png"),
                             fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
         },
         [] {}, true},
        {"link-to-file", links, [&] { ASSERT_TRUE(testsystem::MakeSymbolicLink("plain.png", dir / "link-to-file")); },
         [] {}, linksListedAsFiles},
        {"dangling-link", links, [&] { ASSERT_TRUE(testsystem::MakeSymbolicLink("missing", dir / "dangling-link")); },
         [] {}, linksListedAsFiles},
        {"pipe", pipesInFolders, [&] { makePipe("pipe"); }, [] {}, false},
        {"swapped-for-pipe.png", pipesInFolders, [&] { makeFile("swapped-for-pipe.png"); },
         [&] {
             remove("swapped-for-pipe.png");
             makePipe("swapped-for-pipe.png");
         },
         true},
        {"swapped-for-folder.png", true, [&] { makeFile("swapped-for-folder.png"); },
         [&] {
             remove("swapped-for-folder.png");
             fs::create_directory(testsupport::PathOf(dir / "swapped-for-folder.png"));
         },
         true},
        {"vanished.png", true, [&] { makeFile("vanished.png"); }, [&] { remove("vanished.png"); }, true},
    };
    for (const auto& c : cases) {
        if (c.applies) c.before();
    }
    std::map<std::string, bool> listedRegular;
    FolderWalkVisitor visitor;
    visitor.entry = [&](const FolderEntry& entry) { listedRegular[entry.path] = entry.isRegularFile; };
    ASSERT_TRUE(WalkFolder(dir.Folder(), visitor));
    for (const auto& c : cases) {
        if (c.applies) c.after();
    }

    for (const auto& c : cases) {
        if (!c.applies) continue;
        const std::string path = dir / c.name;
        ASSERT_EQ(listedRegular.count(path), 1u) << path;
        EXPECT_EQ(listedRegular[path], c.listedRegular) << path;
        std::future<PathProbe> listed =
            std::async(std::launch::async, [&] { return ProbeForCheck(path, false, listedRegular[path]); });
        if (listed.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            for (const auto& pipe : pipes) pipe->Unblock();
            ADD_FAILURE() << path << ": the probe waited on a pipe";
        }
        EXPECT_EQ(Described(listed.get()), Described(ProbePath(path))) << path;
    }
}

}  // namespace
