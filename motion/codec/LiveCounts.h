#pragma once
// How many script engines and device objects are alive in the module, for
// the driver's load and unload lines.

#include <windows.h>

LONG LiveScriptEngines();
LONG LiveDrovelObjects();

// Counts one object of its kind for as long as it exists.
class LiveCount {
public:
    enum Kind { kScriptEngine, kDrovelObject };
    explicit LiveCount(Kind kind);
    ~LiveCount();
    LiveCount(const LiveCount&) = delete;
    LiveCount& operator=(const LiveCount&) = delete;

private:
    volatile LONG& m_counter;
};
