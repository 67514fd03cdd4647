#include "common/script/ScriptTimeLimit.h"

CScriptTimeLimit::CScriptTimeLimit(DWORD limitMs, std::function<void()> onExpired)
    : m_onExpired(std::move(onExpired))
{
    HANDLE timer = nullptr;
    if (CreateTimerQueueTimer(&timer, nullptr, &CScriptTimeLimit::OnTimer, this, limitMs, 0,
                              WT_EXECUTEONLYONCE | WT_EXECUTELONGFUNCTION))
        m_timer.Reset(timer);
}

void CALLBACK CScriptTimeLimit::OnTimer(void* self, BOOLEAN)
{
    auto* limit = static_cast<CScriptTimeLimit*>(self);
    limit->m_expired = true;
    // Nothing may unwind into the timer queue's thread.
    try {
        if (limit->m_onExpired)
            limit->m_onExpired();
    } catch (...) {
    }
}
