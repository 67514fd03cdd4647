#pragma once
// One open of the DRVL codec; its address is the driver id that Video for
// Windows passes back with every later message. Decompressing a companion
// movie opens its source movie, starts the script the header record carries
// and hands out the source frame the script's variable selects.

#include "base/com/RefCounted.h"
#include "base/com/RefPtr.h"
#include "motion/codec/CompanionRecordReader.h"
#include "motion/plugin/AviLibrary.h"

#include <memory>
#include <string>
#include <windows.h>
#include <vfw.h>

class CodecInstance final : public RefCounted {
public:
    // Reference count 1; enters the set of live instances.
    CodecInstance();

    // The live instance with that driver id (a new reference), or null (id
    // 0 included).
    static RefPtr<CodecInstance> FromDriverId(DWORD_PTR driverId);

    LRESULT DecompressFrame(const ICDECOMPRESS& decompress);
    // Releases the script this instance plays; the source stays open.
    LRESULT EndDecompress();

    // The output buffer size a compressing caller was told to provide.
    void SetCompressCapacity(DWORD bytes) { m_compressCapacity = bytes; }
    DWORD CompressCapacity() const { return m_compressCapacity; }

private:
    // Leaves the set of live instances, then ends decompression and closes
    // the source if the player did not.
    ~CodecInstance() override;

    LRESULT StartFromHeader(const ScriptHeader& header, const ICDECOMPRESS& decompress);
    bool OpenSource(const std::wstring& path);
    void CloseSource();
    bool Deliver(const ICDECOMPRESS& decompress);
    LONG GetFrameFromVariable() const;
    bool CopySourceFrame(const BITMAPINFOHEADER& outputFormat, void* output, LONG frame) const;

    uint32_t m_frameCount = 0;
    std::wstring m_recordId;
    std::wstring m_scriptName;
    std::wstring m_variableName;
    std::unique_ptr<AviLibrary> m_library;   // while a source is open
    RefPtr<IAVIFile> m_sourceFile;
    RefPtr<IAVIStream> m_sourceStream;
    AVISTREAMINFOW m_sourceInfo = {};
    UniqueGetFrame m_decoder;
    DWORD m_compressCapacity = 0;
};
