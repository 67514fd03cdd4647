#include "motion/codec/CompanionRecordReader.h"

#include "motion/records/CompanionRecords.h"

#include <cstring>
#include <cwchar>

using namespace companion;

namespace {

uint32_t ReadU32(const BYTE* data, size_t offset)
{
    uint32_t value;
    std::memcpy(&value, data + offset, sizeof(value));
    return value;
}

// False when no NUL ends the text within `chars` units.
bool ReadText(const BYTE* data, size_t offset, size_t chars, std::wstring& text)
{
    std::wstring field(chars, L'\0');
    std::memcpy(&field[0], data + offset, chars * sizeof(wchar_t));
    const size_t end = field.find(L'\0');
    if (end == std::wstring::npos)
        return false;
    text.assign(field, 0, end);
    return true;
}

}  // namespace

RecordKind ReadCompanionRecord(const BYTE* data, DWORD size, ScriptHeader& header)
{
    if (!data || size < sizeof(uint32_t))
        return RecordKind::kInvalid;
    const uint32_t type = ReadU32(data, offsetof(ScriptHeaderRecord, recordType));
    if (type == kFrameIndexType) {
        if (size < kFrameIndexSize)
            return RecordKind::kInvalid;
        return ReadU32(data, offsetof(FrameIndexRecord, deliver)) == 1 ? RecordKind::kDeliver
                                                                        : RecordKind::kNoDelivery;
    }
    if (type != kScriptHeaderType || size < kScriptHeaderFixedSize)
        return RecordKind::kInvalid;

    const uint32_t scriptOffset = ReadU32(data, offsetof(ScriptHeaderRecord, scriptOffset));
    const uint32_t scriptBytes = ReadU32(data, offsetof(ScriptHeaderRecord, scriptBytes));
    if (scriptOffset < kScriptHeaderFixedSize || scriptOffset > size || scriptBytes < sizeof(wchar_t) ||
        scriptBytes % sizeof(wchar_t) != 0 || scriptBytes > size - scriptOffset)
        return RecordKind::kInvalid;

    header.frameCount = ReadU32(data, offsetof(ScriptHeaderRecord, frameCount));
    const bool terminated =
        ReadText(data, offsetof(ScriptHeaderRecord, recordId), kIdChars, header.recordId) &&
        ReadText(data, offsetof(ScriptHeaderRecord, sourcePath), kPathChars, header.sourcePath) &&
        ReadText(data, offsetof(ScriptHeaderRecord, scriptId), kIdChars, header.scriptId) &&
        ReadText(data, offsetof(ScriptHeaderRecord, variableName), kIdChars, header.variableName) &&
        ReadText(data, scriptOffset, scriptBytes / sizeof(wchar_t), header.script);
    return terminated ? RecordKind::kHeader : RecordKind::kInvalid;
}
