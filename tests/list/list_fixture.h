// A fresh list state as an open window holds it, with the small test table.
#pragma once

#include <gtest/gtest.h>

#include "list/list_state.h"
#include "tests/common/test_support.h"

class ListTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::LoadSmallTable();
        state.SetTable(testsupport::LoadedTable());
    }
    void TearDown() override { ASSERT_TRUE(testsupport::WaitFor([this] { return Idle(); })); }

    RunState& Runs() { return state.Runs(); }
    FileList& List() { return state.Rows(); }
    bool Idle() { return Runs().ListChangesAllowed() && Runs().IntakeAccepted(); }

    // Before the state: its workers are joined before the files go.
    testsupport::TempDir dir;
    ListState state;
};
