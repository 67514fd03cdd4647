#pragma once
// Set exactly while the plug-in writes parameters to the host; the data-bar
// store does not count builds caused by those writes.

#include <atomic>

extern std::atomic<bool> g_shapeWriteActive;

// Raises the flag for its lifetime.
class CShapeWriteScope {
public:
    CShapeWriteScope() { g_shapeWriteActive = true; }
    ~CShapeWriteScope() { g_shapeWriteActive = false; }
    CShapeWriteScope(const CShapeWriteScope&) = delete;
    CShapeWriteScope& operator=(const CShapeWriteScope&) = delete;
};
