// A motion-control script driving the simulated device through the Drovel
// object, on its runner thread.
#include "motion/codec/test/DeviceSessionTestSupport.h"
#include "motion/codec/LiveCounts.h"
#include "motion/codec/MCCGISerial.h"
#include "motion/codec/ScriptRunner.h"
#include "motion/codec/test/ScriptRunnerTestSupport.h"
#include "testing/debugoutput/DebugOutputCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::wstring WithPort(std::wstring script, int port);

std::wstring DeviceScript(int port)
{
    std::wstring script =
        L"Const P = #PORT#\n"
        L"Dim records\n"
        L"Sub Startup\n"
        L"  Drovel.SetGlobal \"open\", Drovel.OpenPort(P, 9600)\n"
        L"  Drovel.ReceiveProcessor P, \"\", \"0D\", \"\"\n"
        L"  Drovel.SetGlobal \"ping\", Drovel.SendReceive(P, \"PING\", \"OK\", 0)\n"
        L"  Drovel.SetGlobal \"reply\", Drovel.GetResponse(P, 0)\n"
        L"  Drovel.SetGlobal \"signed\", Drovel.SendReceive(P, \"AB\", \"OK\", 3)\n"
        L"  Drovel.SetGlobal \"signedReply\", Drovel.GetResponse(P, 0) & \"/\" & Drovel.GetResponse(P, 2)\n"
        L"  Drovel.SetGlobal \"fail\", Drovel.SendReceive(P, \"FAIL\", \"OK\", 0)\n"
        L"  Drovel.SetGlobal \"quiet\", Drovel.SendReceive(P, \"QUIET\", \"OK\", 0)\n"
        L"  records = 0\n"
        L"  Drovel.ReceiveProcessor P, \"02\", \"03\", \"OnRecord\"\n"
        L"  Drovel.SetGlobal \"stream\", Drovel.SendReceiveCount(P, \"STREAM\", 4, 0)\n"
        L"  Drovel.SetGlobal \"streamReply\", Drovel.GetResponse(P, 2)\n"
        L"End Sub\n"
        L"Sub OnRecord\n"
        L"  Do While Drovel.ReceiveBufferEmpty(P) > 0\n"
        L"    records = records + 1\n"
        L"    Drovel.SetGlobal \"record\" & records, Drovel.ReceiveMessage(P)\n"
        L"  Loop\n"
        L"  Drovel.SetGlobal \"records\", records\n"
        L"End Sub\n";
    return WithPort(script, port);
}

std::wstring WithPort(std::wstring script, int port)
{
    const std::wstring marker = L"#PORT#";
    script.replace(script.find(marker), marker.size(), std::to_wstring(port));
    return script;
}

size_t CountLines(const std::vector<std::string>& lines, const std::string& line)
{
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

TEST(DrovelDeviceTest, ScriptSendsCommandsReadsRepliesAndProcessesReceivedRecords)
{
    DeviceSession device;
    ASSERT_TRUE(DeviceSession::FromEnvironment(device)) << "run through testing/device/run-with-device.sh";
    RefPtr<ScriptRunner> runner = RefPtr<ScriptRunner>::Adopt(new ScriptRunner());
    runner->Start(DeviceScript(device.port));

    // Ten unanswered attempts of 500 ms come before the stream.
    ASSERT_TRUE(WaitForVariable(*runner, L"records", L"4", 60000))
        << "open " << ReadVariableText(*runner, L"open").c_str() << ", ping "
        << ReadVariableText(*runner, L"ping").c_str() << ", stream "
        << ReadVariableText(*runner, L"stream").c_str();
    EXPECT_EQ(ReadVariableText(*runner, L"open"), L"0");
    EXPECT_EQ(ReadVariableText(*runner, L"ping"), L"0");
    EXPECT_EQ(ReadVariableText(*runner, L"reply"), L"OK");
    EXPECT_EQ(ReadVariableText(*runner, L"signed"), L"0");
    EXPECT_EQ(ReadVariableText(*runner, L"signedReply"), L"OK/OK9A");
    EXPECT_EQ(ReadVariableText(*runner, L"fail"), L"3");    // the reply differs every time
    EXPECT_EQ(ReadVariableText(*runner, L"quiet"), L"1");   // no reply at all
    EXPECT_EQ(ReadVariableText(*runner, L"stream"), L"0");
    EXPECT_EQ(ReadVariableText(*runner, L"streamReply"), L"REC1");
    // The first record answered the command; the routine got the others,
    // as hexadecimal bytes.
    EXPECT_EQ(ReadVariableText(*runner, L"record1"), L"52454332");
    EXPECT_EQ(ReadVariableText(*runner, L"record4"), L"52454335");
    runner->Stop();

    const std::vector<std::string> log = device.LogLines();
    EXPECT_EQ(CountLines(log, "50494E470D none"), 1u);     // PING
    EXPECT_EQ(CountLines(log, "414238330D ok"), 1u);       // AB with its checksum
    EXPECT_EQ(CountLines(log, "4641494C0D none"), 10u);    // FAIL, every attempt
    EXPECT_EQ(CountLines(log, "51554945540D none"), 10u);  // QUIET, every attempt
    EXPECT_EQ(CountLines(log, "53545245414D0D none"), 1u); // STREAM
}

}  // namespace

namespace {

TEST(DrovelDeviceTest, AStopWhileAWriteIsBlockedEndsInTimeAndLeavesThePortFree)
{
    DeviceSession device;
    ASSERT_TRUE(DeviceSession::FromEnvironment(device)) << "run through testing/device/run-with-device.sh";
    RefPtr<ScriptRunner> runner = RefPtr<ScriptRunner>::Adopt(new ScriptRunner());
    // After HOLD the device reads nothing: the megabyte's write blocks
    // (for up to its 5 s time-out) with the port's buffers full.
    runner->Start(WithPort(
        L"Const P = #PORT#\n"
        L"Sub Startup\n"
        L"  Drovel.SetGlobal \"open\", Drovel.OpenPort(P, 9600)\n"
        L"  Drovel.ReceiveProcessor P, \"\", \"0D\", \"\"\n"
        L"  Drovel.SetGlobal \"hold\", Drovel.SendReceive(P, \"HOLD\", \"OK\", 0)\n"
        L"  Drovel.SetGlobal \"writing\", \"yes\"\n"
        L"  Drovel.SetGlobal \"written\", Drovel.SendReceive(P, String(1048576, \"A\"), \"OK\", 0)\n"
        L"End Sub\n",
        device.port));
    ASSERT_TRUE(WaitForVariable(*runner, L"writing", L"yes"));
    ASSERT_EQ(ReadVariableText(*runner, L"hold"), L"0");
    // Long enough for the write to have filled the buffers and to wait.
    Sleep(300);
    ASSERT_EQ(ReadVariableText(*runner, L"written"), L"(none)");

    const ULONGLONG start = GetTickCount64();
    runner->Stop();
    EXPECT_LT(GetTickCount64() - start, kStopBoundMs);
    EXPECT_TRUE(runner->WaitForThreadEnd(0));
    // The thread ended by itself: engine, device object, port and listener
    // are all gone.
    EXPECT_EQ(LiveScriptEngines(), 0);
    EXPECT_EQ(LiveDrovelObjects(), 0);

    ASSERT_TRUE(device.ReleaseHold(kScriptBoundMs));
    CMCCGISerial link;
    ASSERT_EQ(link.OpenPort(device.port, 9600), CMCCGISerial::kOpened);
    ASSERT_TRUE(link.SetPatterns(L"", L"0D", nullptr));
    EXPECT_EQ(link.SendCommand(L"PING", L"OK", 0, -1), CMCCGISerial::kAccepted);
}

}  // namespace


namespace {

// Last in the program: the script the stop gives up on keeps running.
TEST(DrovelDeviceTest, AScriptWhoseThreadDiesOrCannotBeEndedLeavesThePortToTheNextPlayback)
{
    DeviceSession device;
    ASSERT_TRUE(DeviceSession::FromEnvironment(device)) << "run through testing/device/run-with-device.sh";
    const struct {
        const char* what;
        const wchar_t* rest;   // what Startup does once its port answers
        bool threadDies;
    } cases[] = {
        // Wine's engine overflows the thread's stack, and the thread ends
        // without unwinding.
        {"recursion without end", L"  Deep 0\n", true},
        // Under Wine the engine cannot be interrupted, and the thread is
        // nearly always in the system's string comparison, where it may not
        // be ended.
        {"a loop the stop gives up on",
         L"  s = String(4000000, \"A\")\n  t = s\n  Do\n    n = StrComp(s, t, 1)\n  Loop\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DebugOutputCapture output;
        const LONG portsBefore = CSerial::OpenPorts();
        const LONG enginesBefore = LiveScriptEngines();
        RefPtr<ScriptRunner> runner = RefPtr<ScriptRunner>::Adopt(new ScriptRunner());
        runner->Start(WithPort(
            L"Const P = #PORT#\n"
            L"Sub Deep(n)\n"
            L"  Deep n + 1\n"
            L"End Sub\n"
            L"Sub Startup\n"
            L"  Drovel.OpenPort P, 9600\n"
            L"  Drovel.ReceiveProcessor P, \"\", \"0D\", \"\"\n"
            L"  Drovel.SetGlobal \"ping\", Drovel.SendReceive(P, \"PING\", \"OK\", 0)\n" +
                std::wstring(c.rest) + L"End Sub\n",
            device.port));
        ASSERT_TRUE(WaitForVariable(*runner, L"ping", L"0"));
        if (c.threadDies) {
            ASSERT_TRUE(runner->WaitForThreadEnd(kScriptBoundMs));
        }

        const ULONGLONG start = GetTickCount64();
        runner->Stop();
        EXPECT_LT(GetTickCount64() - start,
                  ScriptRunner::kStopWaitMs + ScriptRunner::kStopAllowanceMs + kSlowMachineAllowanceMs);
        if (!c.threadDies) {
            ASSERT_TRUE(output.WaitFor(L"did not stop", 0)) << "the stop ended the script: no case";
        }
        EXPECT_EQ(CSerial::OpenPorts(), portsBefore) << "the script's port is still open";
        if (c.threadDies) {
            EXPECT_EQ(LiveScriptEngines(), enginesBefore) << "the dead thread's engine is left";
        }

        // The next playback opens the port and talks to the device.
        RefPtr<ScriptRunner> next = RefPtr<ScriptRunner>::Adopt(new ScriptRunner());
        next->Start(WithPort(
            L"Const P = #PORT#\n"
            L"Sub Startup\n"
            L"  Drovel.SetGlobal \"open\", Drovel.OpenPort(P, 9600)\n"
            L"  Drovel.ReceiveProcessor P, \"\", \"0D\", \"\"\n"
            L"  Drovel.SetGlobal \"ping\", Drovel.SendReceive(P, \"PING\", \"OK\", 0)\n"
            L"End Sub\n",
            device.port));
        EXPECT_TRUE(WaitForVariable(*next, L"ping", L"0"));
        EXPECT_EQ(ReadVariableText(*next, L"open"), L"0");
        next->Stop();
        EXPECT_EQ(CSerial::OpenPorts(), portsBefore);
    }
}

}  // namespace
