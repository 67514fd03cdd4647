#include "testing/debugoutput/DebugOutputCapture.h"

#include "base/text/TextConversion.h"

#include <atomic>
#include <cstring>
#include <cwchar>

namespace {

// Raised by OutputDebugStringA, and by OutputDebugStringW on systems that
// pass wide text on (before its narrow copy).
constexpr DWORD kNarrowPrint = 0x40010006;
constexpr DWORD kWidePrint = 0x4001000A;

std::atomic<DebugOutputCapture*> g_capture{nullptr};

}  // namespace

DebugOutputCapture::DebugOutputCapture()
{
    g_capture = this;
    m_handler = AddVectoredExceptionHandler(1, &DebugOutputCapture::Handler);
}

DebugOutputCapture::~DebugOutputCapture()
{
    if (m_handler)
        RemoveVectoredExceptionHandler(m_handler);
    g_capture = nullptr;
}

LONG CALLBACK DebugOutputCapture::Handler(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    DebugOutputCapture* const capture = g_capture;
    if (!capture || record.NumberParameters < 2 ||
        (record.ExceptionCode != kNarrowPrint && record.ExceptionCode != kWidePrint))
        return EXCEPTION_CONTINUE_SEARCH;
    try {
        const ULONG_PTR length = record.ExceptionInformation[0];
        std::wstring text;
        if (record.ExceptionCode == kWidePrint) {
            const auto* wide = reinterpret_cast<const wchar_t*>(record.ExceptionInformation[1]);
            text.assign(wide, wcsnlen(wide, length));
        } else {
            const auto* narrow = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
            text = NarrowToWide(std::string_view(narrow, strnlen(narrow, length)), CP_ACP);
        }
        std::lock_guard<std::mutex> lock(capture->m_lock);
        // The wide form is followed by its narrow copy: keep one of them.
        const bool copyOfWide = record.ExceptionCode == kNarrowPrint && capture->m_lastWasWide &&
                                !capture->m_texts.empty() && capture->m_texts.back() == text;
        capture->m_lastWasWide = record.ExceptionCode == kWidePrint;
        if (!copyOfWide)
            capture->m_texts.push_back(std::move(text));
    } catch (...) {
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

std::vector<std::wstring> DebugOutputCapture::Texts() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_texts;
}

bool DebugOutputCapture::WaitFor(const std::wstring& part, DWORD boundMs) const
{
    const ULONGLONG deadline = GetTickCount64() + boundMs;
    for (;;) {
        for (const std::wstring& text : Texts()) {
            if (text.find(part) != std::wstring::npos)
                return true;
        }
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(5);
    }
}
