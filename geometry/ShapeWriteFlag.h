#pragma once
// Set exactly while the plug-in writes parameters to the host; the data-bar
// store does not count builds caused by those writes.

#include <atomic>

extern std::atomic<bool> g_shapeWriteActive;

// Raises the flag for its lifetime. Scopes nest: a write that the host's
// answer to another write starts leaves the flag up for the outer one.
class CShapeWriteScope {
public:
    CShapeWriteScope() : m_previous(g_shapeWriteActive.exchange(true)) {}
    ~CShapeWriteScope() { g_shapeWriteActive = m_previous; }
    CShapeWriteScope(const CShapeWriteScope&) = delete;
    CShapeWriteScope& operator=(const CShapeWriteScope&) = delete;

private:
    bool m_previous;
};
