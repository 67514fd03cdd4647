#pragma once
// A stand-in DRVL compressor for the writer's tests: installed as a function
// driver, it passes each record through unchanged, as the codec does, and
// refuses a record larger than the frame size it announced (the compressing
// stream's output buffer) instead of overflowing it.

#include <windows.h>

class ScopedRecordCopyCompressor {
public:
    ScopedRecordCopyCompressor();
    ~ScopedRecordCopyCompressor();
    ScopedRecordCopyCompressor(const ScopedRecordCopyCompressor&) = delete;
    ScopedRecordCopyCompressor& operator=(const ScopedRecordCopyCompressor&) = delete;

    bool Installed() const { return m_installed; }
    // The compress call with this zero-based number fails; -1 for none.
    void FailCompressCall(int call);
    int RefusedOversizeRecords() const;

private:
    bool m_installed = false;
};
