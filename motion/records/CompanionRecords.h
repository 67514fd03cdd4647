#pragma once
// The records a companion movie carries in its DRVL video stream: frame 0 is a
// script header, every later frame an index record. The plug-in writes them,
// the codec reads them back byte for byte, so the layout is fixed here once.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace companion {

constexpr uint32_t kScriptHeaderType = 1;
constexpr uint32_t kFrameIndexType = 2;

// Field widths in UTF-16 code units, terminating NUL included.
constexpr size_t kIdChars = 40;
constexpr size_t kPathChars = 260;

// The fixed part of the header record; the NUL-terminated script text follows
// it directly.
struct ScriptHeaderRecord {
    uint32_t recordType;            // kScriptHeaderType
    uint32_t reserved;              // always 2, not interpreted
    wchar_t recordId[kIdChars];     // braced GUID, new at every write
    wchar_t sourcePath[kPathChars]; // the movie whose frames are shown
    uint32_t frameCount;            // frames of the source's video stream
    wchar_t scriptId[kIdChars];     // name the running script is known by
    wchar_t variableName[kIdChars]; // script variable selecting the frame
    uint32_t scriptOffset;          // from the start of the record
    uint32_t scriptBytes;           // terminating NUL included
};

constexpr uint32_t kHeaderReservedValue = 2;
constexpr uint32_t kScriptHeaderFixedSize = 780;

struct FrameIndexRecord {
    uint32_t recordType; // kFrameIndexType
    uint32_t deliver;    // the codec shows a frame only when this is 1
    uint32_t frameNumber;
};

constexpr uint32_t kFrameIndexSize = 12;

static_assert(sizeof(wchar_t) == 2, "records hold UTF-16 code units");
static_assert(offsetof(ScriptHeaderRecord, recordType) == 0);
static_assert(offsetof(ScriptHeaderRecord, reserved) == 4);
static_assert(offsetof(ScriptHeaderRecord, recordId) == 8);
static_assert(offsetof(ScriptHeaderRecord, sourcePath) == 88);
static_assert(offsetof(ScriptHeaderRecord, frameCount) == 608);
static_assert(offsetof(ScriptHeaderRecord, scriptId) == 612);
static_assert(offsetof(ScriptHeaderRecord, variableName) == 692);
static_assert(offsetof(ScriptHeaderRecord, scriptOffset) == 772);
static_assert(offsetof(ScriptHeaderRecord, scriptBytes) == 776);
static_assert(sizeof(ScriptHeaderRecord) == kScriptHeaderFixedSize);

static_assert(offsetof(FrameIndexRecord, recordType) == 0);
static_assert(offsetof(FrameIndexRecord, deliver) == 4);
static_assert(offsetof(FrameIndexRecord, frameNumber) == 8);
static_assert(sizeof(FrameIndexRecord) == kFrameIndexSize);

// Size of a whole header record for a script of this many code units.
constexpr uint64_t ScriptHeaderSize(uint64_t scriptChars)
{
    return kScriptHeaderFixedSize + 2 * (scriptChars + 1);
}

// Size of the record that starts at `record`, from its type and, for a
// header, its script size; false for a type that is no record. A header's
// fixed part must be readable.
inline bool RecordSize(const void* record, uint64_t& size)
{
    const auto* bytes = static_cast<const unsigned char*>(record);
    uint32_t type;
    std::memcpy(&type, bytes, sizeof(type));
    if (type == kScriptHeaderType) {
        uint32_t scriptBytes;
        std::memcpy(&scriptBytes, bytes + offsetof(ScriptHeaderRecord, scriptBytes), sizeof(scriptBytes));
        size = static_cast<uint64_t>(kScriptHeaderFixedSize) + scriptBytes;
        return true;
    }
    if (type == kFrameIndexType) {
        size = kFrameIndexSize;
        return true;
    }
    return false;
}

} // namespace companion
