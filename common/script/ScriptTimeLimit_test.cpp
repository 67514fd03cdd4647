#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "common/script/ScriptTimeLimit.h"

namespace {

// How late past its limit a run may be told: the thread's wake-up on a busy
// machine, far less than any limit a program sets.
constexpr DWORD kLateMs = 600;

struct Watched {
    DWORD limitMs;
    DWORD armedAt = 0;
    std::atomic<DWORD> firedAt{0};
    std::atomic<int> fired{0};
};

std::unique_ptr<CScriptTimeLimit> Arm(CScriptWatchdog& watchdog, Watched& run)
{
    run.armedAt = GetTickCount();
    return std::make_unique<CScriptTimeLimit>(watchdog, run.limitMs, [&run] {
        run.firedAt = GetTickCount();
        ++run.fired;
    });
}

void WaitUntilFired(const Watched& run, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (run.fired == 0 && GetTickCount() - start < timeoutMs)
        Sleep(10);
}

void ExpectFiredOnTime(const Watched& run, const char* what)
{
    ASSERT_EQ(1, run.fired) << what;
    const DWORD after = run.firedAt - run.armedAt;
    EXPECT_GE(after, run.limitMs) << what;
    EXPECT_LT(after, run.limitMs + kLateMs) << what;
}

TEST(ScriptTimeLimitTest, EachRunIsToldOnceAtItsOwnLimitWhateverElseIsWatched)
{
    CScriptWatchdog watchdog;
    // The thread sleeps until the long run's deadline when the short one
    // comes: it must be woken for the earlier one.
    Watched longRun{2000}, shortRun{200};
    auto longLimit = Arm(watchdog, longRun);
    Sleep(50);
    auto shortLimit = Arm(watchdog, shortRun);
    WaitUntilFired(shortRun, shortRun.limitMs + kLateMs);
    ExpectFiredOnTime(shortRun, "the short run");
    EXPECT_TRUE(shortLimit->Expired());
    EXPECT_FALSE(longLimit->Expired());
    WaitUntilFired(longRun, longRun.limitMs + kLateMs);
    ExpectFiredOnTime(longRun, "the long run");
    EXPECT_TRUE(longLimit->Expired());
    Sleep(300);
    EXPECT_EQ(1, shortRun.fired) << "told once";
    EXPECT_EQ(1, longRun.fired) << "told once";
}

TEST(ScriptTimeLimitTest, RunsThatEndInTimeAreNeverToldAndLaterRunsStillAre)
{
    CScriptWatchdog watchdog;
    Watched early{300};
    Arm(watchdog, early).reset();
    int toldInTime = 0;
    for (int i = 0; i < 1000; ++i) {
        Watched quick{300};
        Arm(watchdog, quick).reset();
        toldInTime += quick.fired;
    }
    EXPECT_EQ(0, toldInTime);
    // The thread wakes at the ended runs' deadlines and finds nothing; a run
    // after that, and one after the thread has slept with nothing to watch,
    // are still told.
    Sleep(400);
    EXPECT_EQ(0, early.fired);
    for (const char* what : {"after the ended runs' deadlines", "after an idle while"}) {
        Watched late{200};
        const auto limit = Arm(watchdog, late);
        WaitUntilFired(late, late.limitMs + kLateMs);
        ExpectFiredOnTime(late, what);
        Sleep(300);
    }
}

TEST(ScriptTimeLimitTest, AnEndingRunWaitsForItsCallbackToFinish)
{
    CScriptWatchdog watchdog;
    std::atomic<bool> started{false}, finished{false};
    {
        CScriptTimeLimit limit(watchdog, 50, [&] {
            started = true;
            Sleep(300);
            finished = true;
        });
        const DWORD start = GetTickCount();
        while (!started && GetTickCount() - start < 50 + kLateMs)
            Sleep(5);
        ASSERT_TRUE(started);
    }
    EXPECT_TRUE(finished) << "the run's end must not leave the callback using what the run owns";
}

}  // namespace
