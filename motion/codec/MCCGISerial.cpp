#include "motion/codec/MCCGISerial.h"

#include "base/text/TextConversion.h"
#include "base/text/WideFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD kSupportedBauds[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                     19200, 38400, 56000, 57600, 115200, 128000, 256000};
// Bytes taken from the port per read.
constexpr DWORD kReadChunk = 64;
// Bytes already queued arrive at once; this only bounds a misbehaving port.
constexpr DWORD kQueuedReadTimeoutMs = 1000;
// A command is a few bytes; a write that takes longer means the port is stuck.
constexpr DWORD kCommandWriteTimeoutMs = 5000;

// The device's checksum: the bytes' sum modulo 256 as two uppercase hex digits.
std::string WithChecksum(const std::string& text)
{
    unsigned sum = 0;
    for (const char c : text)
        sum += static_cast<unsigned char>(c);
    char digits[3];
    std::snprintf(digits, sizeof(digits), "%02X", sum & 0xFFu);
    return text + digits;
}

LONGLONG PerformanceCounter()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

} // namespace

CMCCGISerial::CMCCGISerial()
    : m_recordArrived(CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
    LARGE_INTEGER frequency;
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
        m_counterFrequency = static_cast<double>(frequency.QuadPart);
}

CMCCGISerial::~CMCCGISerial()
{
    // The listener calls OnEvent: it must end before this part is gone.
    Close();
}

int CMCCGISerial::OpenPort(int port, DWORD baud)
{
    if (std::find(std::begin(kSupportedBauds), std::end(kSupportedBauds), baud) ==
        std::end(kSupportedBauds))
        return kBaudNotSupported;
    Close();
    // The device namespace form names every port, COM10 and above included.
    if (Open(FormatWide(L"\\\\.\\COM%d", port).c_str()) != 0)
        return kPortNotOpened;
    if (Setup(baud, 8, NOPARITY, ONESTOPBIT) != 0) {
        Close();
        return kSetupFailed;
    }
    if (StartListenerThread() != 0) {
        Close();
        return kListenerNotStarted;
    }
    // Some ports (a pty under Wine) have no modem lines; that is no failure.
    SetDTR(true);
    SetRTS(true);
    return kOpened;
}

void CMCCGISerial::DropQueuedRecords()
{
    CriticalSectionLock lock(m_lock);
    m_records.clear();
}

std::unique_ptr<ReceivedRecord> CMCCGISerial::WaitForRecord(DWORD timeoutMs)
{
    const HANDLE waits[] = {m_recordArrived.Get(), AbortEvent()};
    const DWORD waitCount = waits[1] ? 2 : 1;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (auto record = PopRecord())
            return record;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline ||
            WaitForMultipleObjects(waitCount, waits, FALSE, static_cast<DWORD>(deadline - now)) == WAIT_OBJECT_0 + 1)
            return nullptr;
    }
}

int CMCCGISerial::SendCommand(const std::wstring& command, const wchar_t* expected, int flags,
                              int count)
{
    m_lastReply.clear();
    m_replyHasChecksum = false;
    DropQueuedRecords();

    std::string wire = WideToNarrow(command, CP_ACP);
    if (flags & kChecksumCommand)
        wire = WithChecksum(wire);
    wire += '\r';
    std::string expectedText = expected ? WideToNarrow(expected, CP_ACP) : std::string();
    if (expected && (flags & kChecksumReply))
        expectedText = WithChecksum(expectedText);

    DWORD written = 0;
    if (Write(wire.data(), static_cast<DWORD>(wire.size()), &written, nullptr,
              kCommandWriteTimeoutMs) != 0)
        return kNoReply;

    const std::unique_ptr<ReceivedRecord> reply = WaitForRecord(kReplyWaitMs);
    if (!reply)
        return kNoReply;
    const size_t required = count == -1 ? expectedText.size() : static_cast<size_t>(std::max(count, 0));
    if (reply->data.size() < required)
        return kReplyTooShort;
    if (count == -1 && std::memcmp(reply->data.data(), expectedText.data(), required) != 0)
        return kReplyDiffers;
    m_lastReply = reply->data;
    m_replyHasChecksum = (flags & kChecksumReply) != 0;
    return kAccepted;
}

std::wstring CMCCGISerial::LastReply(int flags) const
{
    size_t length = m_lastReply.size();
    if (!(flags & kChecksumReply) && m_replyHasChecksum && length > 1)
        length -= 2;
    return NarrowToWide(std::string_view(reinterpret_cast<const char*>(m_lastReply.data()), length), CP_ACP);
}

bool CMCCGISerial::SetPatterns(const std::wstring& startHex, const std::wstring& endHex,
                               const wchar_t* runnerName)
{
    UniqueKernelHandle callback;
    if (runnerName && *runnerName) {
        const std::wstring name = std::wstring(runnerName) + L"-Callback";
        callback.Reset(OpenEventW(EVENT_ALL_ACCESS, FALSE, name.c_str()));
    }
    CriticalSectionLock lock(m_lock);
    if (!m_framer.SetPatterns(startHex, endHex))
        return false;
    m_callbackEvent = std::move(callback);
    return true;
}

std::unique_ptr<ReceivedRecord> CMCCGISerial::PopRecord()
{
    CriticalSectionLock lock(m_lock);
    if (m_records.empty())
        return nullptr;
    std::unique_ptr<ReceivedRecord> record = std::move(m_records.front());
    m_records.pop_front();
    return record;
}

size_t CMCCGISerial::RecordCount()
{
    CriticalSectionLock lock(m_lock);
    return m_records.size();
}

void CMCCGISerial::MarkLastRecord()
{
    CriticalSectionLock lock(m_lock);
    m_markTime = m_lastRecordTime;
    m_markSet = true;
}

double CMCCGISerial::TimeSinceMark()
{
    CriticalSectionLock lock(m_lock);
    if (!m_markSet)
        return 0.0;
    return static_cast<double>(m_lastRecordTime - m_markTime) / m_counterFrequency;
}

void CMCCGISerial::OnEvent(DWORD events, DWORD)
{
    // Other events that came with the data do not hold it back.
    if (!(events & EV_RXCHAR))
        return;
    BYTE chunk[kReadChunk];
    while (!StopRequested()) {
        // Read only what is queued: a read of an empty queue may not return.
        DWORD queued = 0;
        if (QueryInputQueue(queued) != 0 || queued == 0)
            return;
        DWORD got = 0;
        if (Read(chunk, std::min<DWORD>(queued, kReadChunk), &got, nullptr,
                 kQueuedReadTimeoutMs) != 0 ||
            got == 0)
            return;
        Consume(chunk, got);
    }
}

void CMCCGISerial::Consume(const BYTE* bytes, DWORD count)
{
    CriticalSectionLock lock(m_lock);
    std::vector<BYTE> data;
    for (DWORD i = 0; i < count; ++i) {
        if (!m_framer.Feed(bytes[i], data))
            continue;
        m_lastRecordTime = PerformanceCounter();
        auto record = std::make_unique<ReceivedRecord>();
        record->data = std::move(data);
        GetSystemTime(&record->arrival);
        if (m_callbackEvent)
            SetEvent(m_callbackEvent.Get());
        if (m_records.size() == kMaxQueuedRecords)
            m_records.pop_front();
        m_records.push_back(std::move(record));
        SetEvent(m_recordArrived.Get());
        data = std::vector<BYTE>();
    }
}
