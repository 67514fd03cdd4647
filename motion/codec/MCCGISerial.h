#pragma once
// The link to one motion-control device on a COM port: ASCII commands ending
// in a carriage return, optionally with a two-digit checksum, replies and
// streamed data cut into records between a start and an end pattern.
// OnEvent runs on the listener thread; everything else on the owner's thread.

#include "base/win/CriticalSection.h"
#include "motion/codec/RecordFramer.h"
#include "motion/codec/SerialEx.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

struct ReceivedRecord {
    std::vector<BYTE> data;
    SYSTEMTIME arrival;
};

class CMCCGISerial : public CSerialEx {
public:
    enum OpenResult {
        kOpened = 0,
        kBaudNotSupported = 1,
        kListenerNotStarted = 2,
        kSetupFailed = 3,
        kPortNotOpened = 4,
    };
    enum SendResult { kAccepted = 0, kNoReply = 1, kReplyTooShort = 2, kReplyDiffers = 3 };
    enum SendFlags { kChecksumCommand = 1, kChecksumReply = 2 };

    // How long a command waits for its reply.
    static constexpr DWORD kReplyWaitMs = 500;
    // Records nobody takes are dropped oldest first beyond this many.
    static constexpr size_t kMaxQueuedRecords = 4096;

    CMCCGISerial();
    ~CMCCGISerial() override;

    int OpenPort(int port, DWORD baud);
    // `expected` may be null; `count` -1 compares the reply with it, otherwise
    // the reply must hold at least `count` bytes.
    int SendCommand(const std::wstring& command, const wchar_t* expected, int flags, int count);
    // Without kChecksumReply, a reply accepted with a checksum loses it.
    std::wstring LastReply(int flags) const;
    // False, with nothing changed, for pattern texts that are not
    // hexadecimal, of odd length or longer than 256 digits.
    bool SetPatterns(const std::wstring& startHex, const std::wstring& endHex,
                     const wchar_t* runnerName);

    std::unique_ptr<ReceivedRecord> PopRecord();
    size_t RecordCount();
    void MarkLastRecord();
    double TimeSinceMark();

protected:
    void OnEvent(DWORD events, DWORD errors) override;

private:
    void DropQueuedRecords();
    void Consume(const BYTE* bytes, DWORD count);
    std::unique_ptr<ReceivedRecord> WaitForRecord(DWORD timeoutMs);

    std::vector<BYTE> m_lastReply;
    bool m_replyHasChecksum = false;
    double m_counterFrequency = 1.0;
    UniqueKernelHandle m_recordArrived; // auto-reset, set whenever a record is queued

    // Shared with the listener thread, under m_lock.
    CriticalSection m_lock;
    CRecordFramer m_framer;
    std::deque<std::unique_ptr<ReceivedRecord>> m_records;
    UniqueKernelHandle m_callbackEvent;
    LONGLONG m_lastRecordTime = 0;
    LONGLONG m_markTime = 0;
    bool m_markSet = false;
};
