#include <gtest/gtest.h>

#include "list/run_state.h"

namespace {

// Until a stopping worker has ended, nothing else may work on the rows: no
// second check, no renaming of either kind, no New.
TEST(RunStateTest, AStoppedRunHoldsTheRowsUntilItsWorkerEnds) {
    RunState runs;
    ASSERT_EQ(runs.RequestCheck(), CheckCommand::Started);
    EXPECT_TRUE(runs.ConfirmStop());
    EXPECT_EQ(runs.RequestCheck(), CheckCommand::Ignored);
    EXPECT_FALSE(runs.TryBeginRenaming());
    EXPECT_FALSE(runs.ListChangesAllowed());
    EXPECT_TRUE(runs.IntakeAccepted());
    runs.EndCheck();
    EXPECT_TRUE(runs.ListChangesAllowed());
    EXPECT_EQ(runs.RequestCheck(), CheckCommand::Started);
    EXPECT_FALSE(runs.StopRequested());
}

}  // namespace
