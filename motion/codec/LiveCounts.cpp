#include "motion/codec/LiveCounts.h"

namespace {

volatile LONG g_liveScriptEngines = 0;
volatile LONG g_liveDrovelObjects = 0;

}  // namespace

LONG LiveScriptEngines()
{
    return InterlockedCompareExchange(&g_liveScriptEngines, 0, 0);
}

LONG LiveDrovelObjects()
{
    return InterlockedCompareExchange(&g_liveDrovelObjects, 0, 0);
}

LiveCount::LiveCount(Kind kind)
    : m_counter(kind == kScriptEngine ? g_liveScriptEngines : g_liveDrovelObjects)
{
    InterlockedIncrement(&m_counter);
}

LiveCount::~LiveCount()
{
    InterlockedDecrement(&m_counter);
}
