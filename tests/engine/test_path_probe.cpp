#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

#include "platform/error_text.h"
#include "platform/path_probe.h"
#include "tests/common/test_support.h"

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

}  // namespace
