// The last resort: a script that never returns and never calls the object
// is ended after the stop wait. Alone in its program, since the ended
// thread leaves its engine and objects behind.
#include "motion/codec/ScriptRunner.h"
#include "motion/codec/test/ScriptRunnerTestSupport.h"

#include "motion/codec/LiveCounts.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptRunnerTerminationTest, AScriptThatNeverReturnsIsEndedAfterTheStopWait)
{
    RefPtr<ScriptRunner> runner = RefPtr<ScriptRunner>::Adopt(new ScriptRunner());
    runner->Start(
        L"Sub Startup\n"
        L"  Drovel.SetGlobal \"looping\", \"yes\"\n"
        L"  Do\n"
        L"  Loop\n"
        L"End Sub\n");
    ASSERT_TRUE(WaitForVariable(*runner, L"looping", L"yes"));
    const ULONGLONG start = GetTickCount64();
    runner->Stop();
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_GE(took, ScriptRunner::kStopWaitMs) << "ended before the script had its wait";
    EXPECT_LT(took, kStopBoundMs);
    EXPECT_TRUE(runner->WaitForThreadEnd(0));
    // Ended by force, at a moment in the engine's own code: the runner
    // released the engine and the device object the thread held.
    EXPECT_EQ(LiveScriptEngines(), 0);
    EXPECT_EQ(LiveDrovelObjects(), 0);
}

}  // namespace
