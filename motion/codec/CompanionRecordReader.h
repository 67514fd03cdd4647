#pragma once
// Reads the records of a companion movie back from the bytes of one frame,
// which come from a file: every field is checked to lie, terminated, inside
// the sample before it is read.

#include <windows.h>

#include <cstdint>
#include <string>

struct ScriptHeader {
    std::wstring recordId;
    std::wstring sourcePath;
    uint32_t frameCount = 0;
    std::wstring scriptId;
    std::wstring variableName;
    std::wstring script;
};

enum class RecordKind {
    kInvalid,      // too short, unknown type, or a field not terminated
    kHeader,       // a ScriptHeaderRecord, read into the header
    kDeliver,      // a FrameIndexRecord that asks for a picture
    kNoDelivery,   // a FrameIndexRecord that does not
};

RecordKind ReadCompanionRecord(const BYTE* data, DWORD size, ScriptHeader& header);
