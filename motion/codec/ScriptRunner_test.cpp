#include "motion/codec/ScriptRegistry.h"
#include "motion/codec/ScriptRunner.h"
#include "motion/codec/test/ScriptRunnerTestSupport.h"

#include "base/com/ComTypes.h"
#include "common/script/ScriptEngine.h"
#include "motion/codec/LiveCounts.h"
#include "testing/debugoutput/DebugOutputCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cwctype>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

RefPtr<ScriptRunner> StartScript(const std::wstring& text)
{
    RefPtr<ScriptRunner> runner = RefPtr<ScriptRunner>::Adopt(new ScriptRunner());
    runner->Start(text);
    return runner;
}

// Stops the runner and answers how long it took.
ULONGLONG TimedStop(ScriptRunner& runner)
{
    const ULONGLONG start = GetTickCount64();
    runner.Stop();
    return GetTickCount64() - start;
}

bool HasRunnerNameForm(const std::wstring& name)
{
    int numbers = 0;
    size_t i = 0;
    while (i < name.size()) {
        const size_t digits = i;
        while (i < name.size() && iswdigit(name[i]))
            ++i;
        if (i == digits)
            return false;
        ++numbers;
        if (i < name.size() && name[i++] != L'-')
            return false;
    }
    return numbers == 4 && name.back() != L'-';
}

class ScriptRunnerTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Every runner's thread cleaned up after itself.
        EXPECT_EQ(LiveScriptEngines(), 0);
        EXPECT_EQ(LiveDrovelObjects(), 0);
    }
};

TEST_F(ScriptRunnerTest, StartupSetsTheFrameVariableThatEachReadAdvances)
{
    RefPtr<ScriptRunner> runner = StartScript(
        L"Sub Startup\n"
        L"  Drovel.SetGlobal \"Frame\", 10\n"
        L"  Drovel.SetGlobal \"Delta-Frame\", 1\n"
        L"  Drovel.SetGlobal \"ready\", \"yes\"\n"
        L"End Sub\n");
    ASSERT_TRUE(WaitForVariable(*runner, L"ready", L"yes"));
    EXPECT_EQ(ReadVariableText(*runner, L"Frame"), L"11");
    EXPECT_EQ(ReadVariableText(*runner, L"Frame"), L"12");
    EXPECT_LT(TimedStop(*runner), kStopBoundMs);
    // A stopped runner answers defaults.
    EXPECT_EQ(ReadVariableText(*runner, L"Frame"), L"(none)");
}

TEST_F(ScriptRunnerTest, ScriptWithoutStartupEndsAtOnceAndKeepsItsVariables)
{
    RefPtr<ScriptRunner> runner = StartScript(L"Drovel.SetGlobal \"Frame\", 5\n");
    EXPECT_TRUE(runner->WaitForThreadEnd(kScriptBoundMs));
    EXPECT_EQ(ReadVariableText(*runner, L"Frame"), L"5");
}

TEST_F(ScriptRunnerTest, ScriptThatDoesNotCompileEndsItsThread)
{
    RefPtr<ScriptRunner> runner = StartScript(L"Sub Startup\n  If Then\nEnd Sub\n");
    EXPECT_TRUE(runner->WaitForThreadEnd(kScriptBoundMs));
    EXPECT_EQ(ReadVariableText(*runner, L"Frame"), L"(none)");
}

TEST_F(ScriptRunnerTest, LoopingScriptStopsByItselfOnceTheStopEventIsSet)
{
    // Pause fails once the runner is stopping, which ends the loop.
    RefPtr<ScriptRunner> runner = StartScript(
        L"Sub Startup\n"
        L"  Drovel.SetGlobal \"looping\", \"yes\"\n"
        L"  Do\n"
        L"    Drovel.Pause 5\n"
        L"  Loop\n"
        L"End Sub\n");
    ASSERT_TRUE(WaitForVariable(*runner, L"looping", L"yes"));
    EXPECT_LT(TimedStop(*runner), kStopBoundMs);
    // TearDown: the engine and the device object were released, which a
    // thread ended by force would not have done.
}

TEST_F(ScriptRunnerTest, TimerAndCallbackRoutinesRunOnTheRunnerThread)
{
    RefPtr<ScriptRunner> runner = StartScript(
        L"Dim ticks, calls\n"
        L"Sub Startup\n"
        L"  Drovel.ReceiveProcessor 1, \"\", \"0D\", \"OnData\"\n"
        L"  Drovel.SetScriptTimer 10\n"
        L"End Sub\n"
        L"Sub Timer\n"
        L"  ticks = ticks + 1\n"
        L"  If ticks = 3 Then Drovel.SetGlobal \"ticked\", \"yes\"\n"
        L"End Sub\n"
        L"Sub OnData\n"
        L"  calls = calls + 1\n"
        L"  Drovel.SetGlobal \"calls\", calls\n"
        L"End Sub\n");
    ASSERT_TRUE(WaitForVariable(*runner, L"ticked", L"yes"));
    // The device link signals the callback event by the runner's name.
    const UniqueKernelHandle callback(
        OpenEventW(EVENT_ALL_ACCESS, FALSE, (runner->Name() + L"-Callback").c_str()));
    ASSERT_TRUE(callback);
    SetEvent(callback.Get());
    ASSERT_TRUE(WaitForVariable(*runner, L"calls", L"1"));
    // The runner reset the event before the routine ran: a second signal
    // is a second call.
    SetEvent(callback.Get());
    EXPECT_TRUE(WaitForVariable(*runner, L"calls", L"2"));
    EXPECT_LT(TimedStop(*runner), kStopBoundMs);
}

TEST_F(ScriptRunnerTest, RunnersStartedTogetherHaveDistinctNamesOfTheFourNumberForm)
{
    std::set<std::wstring> names;
    RefPtr<ScriptRunner> runners[4];
    for (auto& runner : runners) {
        runner = StartScript(L"Sub Startup\n  Drovel.SetGlobal \"ready\", \"yes\"\nEnd Sub\n");
        EXPECT_TRUE(HasRunnerNameForm(runner->Name())) << runner->Name().c_str();
        names.insert(runner->Name());
    }
    EXPECT_EQ(names.size(), 4u);
    // Stopped only once idle: a stop while a slow machine is still in the
    // script's first run would be the forced end, which is tested elsewhere.
    for (auto& runner : runners) {
        EXPECT_TRUE(WaitForVariable(*runner, L"ready", L"yes"));
        EXPECT_LT(TimedStop(*runner), kStopBoundMs);
    }
}

TEST_F(ScriptRunnerTest, RegistrySharesOneRunnerPerScriptIdUntilTheLastRelease)
{
    const std::wstring script = L"Sub Startup\n  Drovel.SetGlobal \"text\", \"first\"\nEnd Sub\n";
    ScriptRegistry::AddScript(L"shared", script);
    ScriptRegistry::AddScript(L"shared", L"Sub Startup\n  Drovel.SetGlobal \"text\", \"second\"\nEnd Sub\n");
    RefPtr<ScriptRunner> runner = ScriptRegistry::Find(L"shared");
    ASSERT_TRUE(runner);
    ASSERT_TRUE(WaitForVariable(*runner, L"text", L"first"));

    ScopedVariant fallback;
    V_VT(fallback.Get()) = VT_I4;
    V_I4(fallback.Get()) = 0;
    ScopedVariant value;
    ScriptRegistry::ReleaseScript(L"shared");
    EXPECT_EQ(ScriptRegistry::Find(L"shared").Get(), runner.Get());
    ASSERT_EQ(ScriptRegistry::GetVariable(L"shared", L"text", *value.Get(), *fallback.Get()), S_OK);
    EXPECT_EQ(V_VT(value.Get()), VT_BSTR);

    ScriptRegistry::ReleaseScript(L"shared");
    EXPECT_FALSE(ScriptRegistry::Find(L"shared"));
    EXPECT_TRUE(runner->WaitForThreadEnd(0));
    ScriptRegistry::ReleaseScript(L"shared");   // no longer registered: nothing happens
    ASSERT_EQ(ScriptRegistry::GetVariable(L"shared", L"text", *value.Get(), *fallback.Get()), S_OK);
    EXPECT_EQ(V_VT(value.Get()), VT_I4);
}

TEST_F(ScriptRunnerTest, PlayersOnSeveralThreadsShareTheRegistry)
{
    // Players that start and release scripts, and players that read frame
    // variables all the while, each on a thread of its own.
    constexpr int kStarters = 3;
    constexpr int kRounds = 40;
    std::atomic<int> starting{kStarters};
    std::vector<std::thread> players;
    for (int t = 0; t < kStarters; ++t) {
        players.emplace_back([t, &starting] {
            const std::wstring own = L"own" + std::to_wstring(t);
            for (int round = 0; round < kRounds; ++round) {
                ScriptRegistry::AddScript(L"shared", L"Sub Startup\nEnd Sub\n");
                ScriptRegistry::AddScript(own, L"Sub Startup\nEnd Sub\n");
                ScriptRegistry::ReleaseScript(own);
                ScriptRegistry::ReleaseScript(L"shared");
            }
            --starting;
        });
    }
    for (int t = 0; t < 2; ++t) {
        players.emplace_back([&starting] {
            ScopedVariant fallback;
            while (starting > 0) {
                for (const wchar_t* name : {L"shared", L"own0", L"own1", L"own2", L"none"}) {
                    ScopedVariant value;
                    ScriptRegistry::GetVariable(name, L"Frame", *value.Get(), *fallback.Get());
                }
            }
        });
    }
    for (std::thread& player : players)
        player.join();
    EXPECT_FALSE(ScriptRegistry::Find(L"shared"));
    EXPECT_FALSE(ScriptRegistry::Find(L"own0"));
}

TEST_F(ScriptRunnerTest, ReleaseAllStopsEveryRunnerWhateverItsHolders)
{
    ScriptRegistry::AddScript(L"a", L"Sub Startup\nEnd Sub\n");
    ScriptRegistry::AddScript(L"a", L"");
    ScriptRegistry::AddScript(L"b", L"Sub Startup\nEnd Sub\n");
    RefPtr<ScriptRunner> a = ScriptRegistry::Find(L"a");
    ScriptRegistry::ReleaseAll();
    EXPECT_FALSE(ScriptRegistry::Find(L"a"));
    EXPECT_FALSE(ScriptRegistry::Find(L"b"));
    EXPECT_TRUE(a->WaitForThreadEnd(0));
}

TEST_F(ScriptRunnerTest, ScriptsSeeTheObjectsResultsAndErrors)
{
    RefPtr<ScriptRunner> runner = StartScript(
        L"Sub Startup\n"
        L"  Drovel.SetGlobal \"n\", 5\n"
        L"  Drovel.SetGlobal \"t\", \"abc\"\n"
        L"  Drovel.SetGlobal \"texts\", \"[\" & Drovel.GetGlobal(\"n\") & \"][\" & Drovel.GetGlobal(\"t\") & \"]\"\n"
        L"  Drovel.SetGlobal \"unknownEvent\", Drovel.IsEventSet(\"no such event anywhere\")\n"
        L"  On Error Resume Next\n"
        L"  Drovel.OpenPort 0, 9600\n"
        L"  Drovel.SetGlobal \"error\", Err.Description & \"|\" & Err.Source\n"
        L"  Err.Clear\n"
        L"  Drovel.SetGlobal \"done\", \"yes\"\n"
        L"End Sub\n");
    ASSERT_TRUE(WaitForVariable(*runner, L"done", L"yes"));
    EXPECT_EQ(ReadVariableText(*runner, L"texts"), L"[][abc]");
    EXPECT_EQ(ReadVariableText(*runner, L"unknownEvent"), L"-1");
    EXPECT_EQ(ReadVariableText(*runner, L"error"), L"Invalid Port Number|Drovel OpenPort");
    EXPECT_LT(TimedStop(*runner), kStopBoundMs);
}

TEST_F(ScriptRunnerTest, AnExceptionInTheRunnerReachesTheDebuggerOutputNotTheHost)
{
    const auto throwingObject = [](const std::wstring&, ScriptVariables*, RefPtr<CDrovelObject>&) {
        ScriptEngineOptions options;
        options.itemName = L"Drovel";
        options.createObject = []() -> RefPtr<CAutomationObject> { throw std::runtime_error("no object today"); };
        return RefPtr<CScriptEngine>::Adopt(new CScriptEngine(std::move(options)));
    };
    const struct {
        const char* what;
        ScriptRunner::EngineFactory factory;
        const wchar_t* reported;
    } cases[] = {
        {"making the engine host", [](const std::wstring&, ScriptVariables*, RefPtr<CDrovelObject>&)
                                       -> RefPtr<CScriptEngine> { throw std::runtime_error("no host today"); },
         L"no host today"},
        {"setting up the engine", throwingObject, L"no object today"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DebugOutputCapture output;
        RefPtr<ScriptRunner> failing = RefPtr<ScriptRunner>::Adopt(new ScriptRunner(c.factory));
        failing->Start(L"Sub Startup\nEnd Sub\n");
        EXPECT_TRUE(output.WaitFor(c.reported, kScriptBoundMs));
        EXPECT_TRUE(failing->WaitForThreadEnd(kScriptBoundMs));
        EXPECT_LT(TimedStop(*failing), kStopBoundMs);
        EXPECT_EQ(LiveScriptEngines(), 0);
    }
    // The host process lives on, and so do other runners.
    RefPtr<ScriptRunner> next = StartScript(L"Sub Startup\n  Drovel.SetGlobal \"ready\", \"yes\"\nEnd Sub\n");
    EXPECT_TRUE(WaitForVariable(*next, L"ready", L"yes"));
    EXPECT_LT(TimedStop(*next), kStopBoundMs);
}

TEST_F(ScriptRunnerTest, ScriptSetsAndTestsNamedEvents)
{
    const std::wstring name = L"drvl-test-named-event-" + std::to_wstring(GetCurrentProcessId());
    const UniqueKernelHandle event(CreateEventW(nullptr, TRUE, FALSE, name.c_str()));
    ASSERT_TRUE(event);
    RefPtr<ScriptRunner> runner = StartScript(
        L"Const Name = \"" + name + L"\"\n"
        L"Sub Startup\n"
        L"  Drovel.SetGlobal \"before\", Drovel.IsEventSet(Name)\n"
        L"  Drovel.SetNamedEvent Name, 1\n"
        L"  Drovel.SetGlobal \"after\", Drovel.IsEventSet(Name)\n"
        L"End Sub\n");
    ASSERT_TRUE(WaitForVariable(*runner, L"after", L"1"));
    EXPECT_EQ(ReadVariableText(*runner, L"before"), L"0");
    EXPECT_EQ(WaitForSingleObject(event.Get(), 0), WAIT_OBJECT_0);
    EXPECT_LT(TimedStop(*runner), kStopBoundMs);
}

}  // namespace
