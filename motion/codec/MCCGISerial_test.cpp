#include "motion/codec/MCCGISerial.h"
#include "motion/codec/test/DeviceSessionTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// Generous bounds: the device answers at once, but everything here runs
// under an emulator.
constexpr DWORD kRecordsBoundMs = 30000;
constexpr ULONGLONG kStopBoundMs = 5000;
// How much later than asked a loaded machine may get a thread to run.
constexpr ULONGLONG kSlowMachineAllowanceMs = 500;

Bytes B(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

bool WaitForRecordCount(CMCCGISerial& link, size_t count, DWORD boundMs)
{
    const ULONGLONG deadline = GetTickCount64() + boundMs;
    while (link.RecordCount() < count) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(10);
    }
    return true;
}

std::vector<Bytes> PopAll(CMCCGISerial& link)
{
    std::vector<Bytes> records;
    while (auto record = link.PopRecord())
        records.push_back(record->data);
    return records;
}

// The device's burst: record i is "B<iii>:" followed by printable filler.
Bytes BurstPayload(int i)
{
    char head[8];
    snprintf(head, sizeof(head), "B%03d:", i);
    Bytes payload = B(head);
    for (int k = 0; payload.size() < 98; ++k)
        payload.push_back(static_cast<BYTE>(0x20 + (i * 7 + k) % 0x5F));
    return payload;
}

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DeviceSession::FromEnvironment(m_device))
            << "run through testing/device/run-with-device.sh";
    }

    DeviceSession m_device;
};

class DeviceLinkTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        ASSERT_EQ(m_link.OpenPort(m_device.port, 9600), CMCCGISerial::kOpened);
        ASSERT_TRUE(m_link.SetPatterns(L"", L"0D", nullptr));
    }

    CMCCGISerial m_link;
};

TEST_F(DeviceTest, OpensOnlyAnExistingPortAtASupportedBaudRate)
{
    CMCCGISerial link;
    EXPECT_EQ(link.OpenPort(m_device.port + 1, 9600), CMCCGISerial::kPortNotOpened);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.OpenPort(m_device.port, 9601), CMCCGISerial::kBaudNotSupported);
    EXPECT_FALSE(link.IsOpen());
    ASSERT_EQ(link.OpenPort(m_device.port, 115200), CMCCGISerial::kOpened);
    EXPECT_TRUE(link.ListenerRunning());
    EXPECT_EQ(link.QueryBaudRate(), 115200);
}

TEST_F(DeviceTest, OpeningTwiceKeepsAWorkingPort)
{
    CMCCGISerial link;
    ASSERT_EQ(link.OpenPort(m_device.port, 9600), CMCCGISerial::kOpened);
    // The port level refuses a second open and keeps the first handle...
    const std::wstring name = L"\\\\.\\COM" + std::to_wstring(m_device.port);
    EXPECT_EQ(link.Open(name.c_str()), ERROR_ALREADY_INITIALIZED);
    EXPECT_TRUE(link.IsOpen());
    ASSERT_TRUE(link.SetPatterns(L"", L"0D", nullptr));
    EXPECT_EQ(link.SendCommand(L"PING", L"OK", 0, -1), CMCCGISerial::kAccepted);
    // ...the link reopens, and still talks.
    ASSERT_EQ(link.OpenPort(m_device.port, 9600), CMCCGISerial::kOpened);
    EXPECT_EQ(link.SendCommand(L"PING", L"OK", 0, -1), CMCCGISerial::kAccepted);
}

TEST_F(DeviceTest, PortOperationsAnswerTheirErrors)
{
    CMCCGISerial link;
    CSerialEx* const closedPort = &link;
    EXPECT_EQ(closedPort->Setup(9600, 8, NOPARITY, ONESTOPBIT), ERROR_INVALID_HANDLE);
    EXPECT_EQ(closedPort->Write("x"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(closedPort->QueryBaudRate(), -1);
    EXPECT_EQ(closedPort->GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(closedPort->StartListenerThread(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(closedPort->Close(), 0);

    ASSERT_EQ(link.OpenPort(m_device.port, 9600), CMCCGISerial::kOpened);
    const long flowBefore = link.QueryFlowControl();
    EXPECT_EQ(link.ConfigureFlowControl(3), E_INVALIDARG);
    EXPECT_EQ(link.QueryFlowControl(), flowBefore);
    EXPECT_EQ(link.ConfigureReadTimeouts(2), E_INVALIDARG);
    EXPECT_EQ(link.QueryDataBits(), 8);
    EXPECT_EQ(link.QueryStopBits(), ONESTOPBIT);
}

TEST_F(DeviceTest, BlockingPortOperationsEndAtTheirTimeOut)
{
    CSerial port;
    const std::wstring name = L"\\\\.\\COM" + std::to_wstring(m_device.port);
    ASSERT_EQ(port.Open(name.c_str()), 0);
    ASSERT_EQ(port.Setup(9600, 8, NOPARITY, ONESTOPBIT), 0);
    char buffer[16] = {};
    DWORD read = 1;
    // Nothing arrives: the wait and the read give up at their time-out.
    EXPECT_EQ(port.WaitForPortEvent(nullptr, 300), ERROR_TIMEOUT);
    EXPECT_EQ(port.Read(buffer, sizeof(buffer), &read, nullptr, 300), ERROR_TIMEOUT);
    EXPECT_EQ(read, 0u);

    DWORD written = 0;
    ASSERT_EQ(port.Write("PING\r", &written, nullptr, 5000), 0);
    EXPECT_EQ(written, 5u);
    const ULONGLONG deadline = GetTickCount64() + kRecordsBoundMs;
    DWORD queued = 0;
    while (port.QueryInputQueue(queued) == 0 && queued < 3 && GetTickCount64() < deadline)
        Sleep(10);
    ASSERT_EQ(queued, 3u);
    ASSERT_EQ(port.Read(buffer, queued, &read, nullptr, 5000), 0);
    EXPECT_EQ(std::string(buffer, read), "OK\r");
}

TEST_F(DeviceLinkTest, SendsTheCommandWithItsChecksumAndACarriageReturn)
{
    ASSERT_EQ(m_link.SendCommand(L"AB", L"OK", CMCCGISerial::kChecksumCommand, -1),
              CMCCGISerial::kAccepted);
    ASSERT_EQ(m_link.SendCommand(L"AB", L"OK", 0, -1), CMCCGISerial::kAccepted);
    const std::vector<std::string> log = m_device.LogLines();
    ASSERT_GE(log.size(), 2u);
    // "AB83" CR, which the device found correct; then "AB" CR.
    EXPECT_EQ(log[log.size() - 2], "414238330D ok");
    EXPECT_EQ(log[log.size() - 1], "41420D none");
}

TEST_F(DeviceLinkTest, JudgesRepliesWithAndWithoutChecksum)
{
    constexpr int kCommandSum = CMCCGISerial::kChecksumCommand;
    constexpr int kBothSums = CMCCGISerial::kChecksumCommand | CMCCGISerial::kChecksumReply;
    const struct {
        const wchar_t* command;
        const wchar_t* expected;
        int flags;
        int count;
        int result;
        const wchar_t* reply;     // LastReply(0)
        const wchar_t* withSum;   // LastReply(kChecksumReply)
    } cases[] = {
        {L"PING", L"OK", 0, -1, CMCCGISerial::kAccepted, L"OK", L"OK"},
        {L"PING", L"OK", kBothSums, -1, CMCCGISerial::kAccepted, L"OK", L"OK9A"},
        // A longer reply whose start matches is accepted and kept whole.
        {L"AB", L"OK", kCommandSum, -1, CMCCGISerial::kAccepted, L"OK9A", L"OK9A"},
        {L"PING", L"OK", CMCCGISerial::kChecksumReply, -1, CMCCGISerial::kReplyTooShort, L"", L""},
        {L"FAIL", L"OK", 0, -1, CMCCGISerial::kReplyDiffers, L"", L""},
        {L"FAIL", L"E1", kBothSums, -1, CMCCGISerial::kAccepted, L"E1", L"E176"},
        // The device checks the checksum: a wrong one is its error E2.
        {L"PING00", L"E2", 0, -1, CMCCGISerial::kAccepted, L"E2", L"E2"},
        {L"NOSUCH", L"OK", 0, -1, CMCCGISerial::kReplyDiffers, L"", L""},
        {L"PING", nullptr, 0, 5, CMCCGISerial::kReplyTooShort, L"", L""},
        {L"PING", nullptr, 0, 2, CMCCGISerial::kAccepted, L"OK", L"OK"},
        {L"PING", L"", 0, -1, CMCCGISerial::kAccepted, L"OK", L"OK"},
        {L"QUIET", L"OK", 0, -1, CMCCGISerial::kNoReply, L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.command, c.command + wcslen(c.command))
                                        << " flags " << c.flags << " count " << c.count);
        EXPECT_EQ(m_link.SendCommand(c.command, c.expected, c.flags, c.count), c.result);
        EXPECT_EQ(m_link.LastReply(0), c.reply);
        EXPECT_EQ(m_link.LastReply(CMCCGISerial::kChecksumReply), c.withSum);
    }
}

TEST_F(DeviceLinkTest, ASilentDeviceTimesOutWithinItsWait)
{
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(m_link.SendCommand(L"QUIET", L"OK", 0, -1), CMCCGISerial::kNoReply);
    EXPECT_LT(GetTickCount64() - start, kStopBoundMs);
    // The link is still usable afterwards.
    EXPECT_EQ(m_link.SendCommand(L"PING", L"OK", 0, -1), CMCCGISerial::kAccepted);
}

TEST_F(DeviceLinkTest, DropsAStaleReplyBeforeSending)
{
    ASSERT_EQ(m_link.Write("PING\r"), 0);
    ASSERT_TRUE(WaitForRecordCount(m_link, 1, kRecordsBoundMs));
    // Compared against the stale "OK" this would differ.
    EXPECT_EQ(m_link.SendCommand(L"FAIL", L"E1", 0, -1), CMCCGISerial::kAccepted);
    EXPECT_EQ(m_link.RecordCount(), 0u);
}

TEST_F(DeviceLinkTest, StreamedRecordsPassThePatternMachineAndWakeTheRunner)
{
    const UniqueKernelHandle callback(CreateEventW(nullptr, TRUE, FALSE, L"DeviceLinkTest-Callback"));
    ASSERT_TRUE(callback);
    ASSERT_TRUE(m_link.SetPatterns(L"02", L"03", L"DeviceLinkTest"));
    EXPECT_EQ(m_link.TimeSinceMark(), 0.0);

    ASSERT_EQ(m_link.Write("STREAM\r"), 0);
    ASSERT_TRUE(WaitForRecordCount(m_link, 5, kRecordsBoundMs));
    EXPECT_EQ(WaitForSingleObject(callback.Get(), 0), WAIT_OBJECT_0);
    auto first = m_link.PopRecord();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->data, B("REC1"));
    EXPECT_GE(first->arrival.wYear, 2000);
    const std::vector<Bytes> rest = PopAll(m_link);
    EXPECT_EQ(rest, (std::vector<Bytes>{B("REC2"), B("REC3"), B("REC4"), B("REC5")}));

    m_link.MarkLastRecord();
    ASSERT_EQ(m_link.Write("STREAM\r"), 0);
    ASSERT_TRUE(WaitForRecordCount(m_link, 5, kRecordsBoundMs));
    EXPECT_GT(m_link.TimeSinceMark(), 0.0);
}

TEST_F(DeviceLinkTest, ABurstOfTwentyThousandBytesArrivesIntact)
{
    ASSERT_TRUE(m_link.SetPatterns(L"02", L"03", nullptr));
    ASSERT_EQ(m_link.Write("BURST\r"), 0);
    ASSERT_TRUE(WaitForRecordCount(m_link, 200, kRecordsBoundMs)) << m_link.RecordCount();
    const std::vector<Bytes> records = PopAll(m_link);
    ASSERT_EQ(records.size(), 200u);
    size_t bytes = 0;
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(records[i], BurstPayload(i)) << "record " << i;
        bytes += records[i].size() + 2;
    }
    EXPECT_EQ(bytes, 20000u);
}

TEST_F(DeviceLinkTest, ACommandBlockedInItsWriteEndsWhenTheAbortEventIsSet)
{
    const UniqueKernelHandle abort(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(abort);
    ASSERT_EQ(m_link.SetAbortEvent(abort.Get()), 0);
    ASSERT_EQ(m_link.SendCommand(L"HOLD", L"OK", 0, -1), CMCCGISerial::kAccepted);
    // The device reads nothing now: a megabyte fills every buffer on the way.
    std::atomic<ULONGLONG> setAt{0};
    std::thread setter([&] {
        Sleep(300);
        setAt = GetTickCount64();
        SetEvent(abort.Get());
    });
    EXPECT_EQ(m_link.SendCommand(std::wstring(1 << 20, L'A'), L"OK", 0, -1), CMCCGISerial::kNoReply);
    const ULONGLONG returnedAt = GetTickCount64();
    setter.join();
    ASSERT_NE(setAt.load(), 0u);
    ASSERT_GE(returnedAt, setAt.load()) << "the command returned before the abort";
    EXPECT_LT(returnedAt - setAt.load(), kSlowMachineAllowanceMs);
    // Released and no longer aborted, the link talks again.
    ASSERT_TRUE(m_device.ReleaseHold(kRecordsBoundMs));
    ResetEvent(abort.Get());
    EXPECT_EQ(m_link.SendCommand(L"PING", L"OK", 0, -1), CMCCGISerial::kAccepted);
}

// Last: the device floods for a while after the port is gone.
TEST_F(DeviceLinkTest, TheListenerStopsWithinABoundWhileDataFlows)
{
    ASSERT_TRUE(m_link.SetPatterns(L"02", L"03", nullptr));
    ASSERT_EQ(m_link.Write("FLOOD\r"), 0);
    ASSERT_TRUE(WaitForRecordCount(m_link, 10, kRecordsBoundMs));
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(m_link.Close(), 0);
    EXPECT_LT(GetTickCount64() - start, kStopBoundMs);
    EXPECT_FALSE(m_link.ListenerRunning());
    EXPECT_FALSE(m_link.IsOpen());
}

} // namespace
