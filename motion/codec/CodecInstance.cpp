#include "motion/codec/CodecInstance.h"

#include "base/com/ComTypes.h"
#include "base/win/CriticalSection.h"
#include "motion/codec/CodecFormats.h"
#include "motion/codec/ScriptRegistry.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

namespace {

// Every live instance by address. A host may play companions on several
// threads: the lock guards the set, and a lookup under it takes a reference
// only from an instance whose last Release has not begun, so an id is never
// found while its instance goes away. Each instance is used by the one
// player that opened it.
struct LiveSet {
    CriticalSection lock;
    std::set<CodecInstance*> instances;
};

LiveSet& LiveInstances()
{
    static LiveSet live;
    return live;
}

// A picture format: its header, a colour table and colour masks at most.
constexpr LONG kMaxFormatBytes = 4096;

// A source decoded by this codec would open its own source in turn: a
// companion naming itself (or another companion) would recurse until the
// player's stack is gone. Its size must be one the codec can copy.
bool IsPlayableSource(IAVIStream* stream, const AVISTREAMINFOW& info)
{
    if (info.fccHandler == kDrvlFourCC)
        return false;
    LONG size = 0;
    if (FAILED(AVIStreamReadFormat(stream, 0, nullptr, &size)) || size < static_cast<LONG>(sizeof(BITMAPINFOHEADER)) ||
        size > kMaxFormatBytes)
        return false;
    std::vector<BYTE> bytes(static_cast<size_t>(size));
    BITMAPINFOHEADER format;
    if (FAILED(AVIStreamReadFormat(stream, 0, bytes.data(), &size)) || size < static_cast<LONG>(sizeof(format)))
        return false;
    std::memcpy(&format, bytes.data(), sizeof(format));
    if (format.biCompression == kDrvlFourCC)
        return false;
    const LONG width = info.rcFrame.right - info.rcFrame.left;
    const LONG height = info.rcFrame.bottom - info.rcFrame.top;
    return IsDecodablePictureSize(width, height) && IsDecodablePictureSize(format.biWidth, format.biHeight);
}

}  // namespace

CodecInstance::CodecInstance()
{
    LiveSet& live = LiveInstances();
    CriticalSectionLock lock(live.lock);
    live.instances.insert(this);
}

CodecInstance::~CodecInstance()
{
    {
        LiveSet& live = LiveInstances();
        CriticalSectionLock lock(live.lock);
        live.instances.erase(this);
    }
    EndDecompress();
    CloseSource();
}

RefPtr<CodecInstance> CodecInstance::FromDriverId(DWORD_PTR driverId)
{
    auto* const candidate = reinterpret_cast<CodecInstance*>(driverId);
    LiveSet& live = LiveInstances();
    CriticalSectionLock lock(live.lock);
    if (live.instances.find(candidate) == live.instances.end() || !candidate->TryAddRef())
        return nullptr;
    return RefPtr<CodecInstance>::Adopt(candidate);
}

LRESULT CodecInstance::DecompressFrame(const ICDECOMPRESS& decompress)
{
    if (!decompress.lpbiInput || !decompress.lpInput || !decompress.lpbiOutput || !decompress.lpOutput)
        return ICERR_ERROR;
    ScriptHeader header;
    switch (ReadCompanionRecord(static_cast<const BYTE*>(decompress.lpInput),
                                decompress.lpbiInput->biSizeImage, header)) {
    case RecordKind::kHeader:
        if (!m_recordId.empty() && header.recordId == m_recordId)
            return Deliver(decompress) ? ICERR_OK : ICERR_ERROR;
        return StartFromHeader(header, decompress);
    case RecordKind::kDeliver:
        return Deliver(decompress) ? ICERR_OK : ICERR_ERROR;
    default:
        return ICERR_ERROR;
    }
}

LRESULT CodecInstance::StartFromHeader(const ScriptHeader& header, const ICDECOMPRESS& decompress)
{
    CloseSource();
    if (OpenSource(header.sourcePath)) {
        m_frameCount = header.frameCount;
        // One hold per instance: a repeated start gives up the previous one.
        if (!m_scriptName.empty())
            ScriptRegistry::ReleaseScript(m_scriptName);
        ScriptRegistry::AddScript(header.scriptId, header.script);
        m_scriptName = header.scriptId;
        m_variableName = header.variableName;
        if (Deliver(decompress)) {
            m_recordId = header.recordId;
            return ICERR_OK;
        }
    }
    CloseSource();
    return ICERR_ERROR;
}

LRESULT CodecInstance::EndDecompress()
{
    if (!m_scriptName.empty()) {
        ScriptRegistry::ReleaseScript(m_scriptName);
        m_scriptName.clear();
    }
    // Playing the movie again starts its script again.
    m_recordId.clear();
    return ICERR_OK;
}

bool CodecInstance::OpenSource(const std::wstring& path)
{
    m_library = std::make_unique<AviLibrary>();
    if (FAILED(AVIFileOpenW(m_sourceFile.Put(), path.c_str(), OF_READ, nullptr)) ||
        FAILED(AVIFileGetStream(m_sourceFile.Get(), m_sourceStream.Put(), streamtypeVIDEO, 0)) ||
        FAILED(AVIStreamInfoW(m_sourceStream.Get(), &m_sourceInfo, sizeof(m_sourceInfo))) ||
        !IsPlayableSource(m_sourceStream.Get(), m_sourceInfo))
        return false;
    // 32-bit pictures are asked for; a decoder that cannot make them may
    // still hand out 32-bit frames in its own format.
    BITMAPINFOHEADER wanted = {};
    wanted.biSize = sizeof(wanted);
    wanted.biWidth = m_sourceInfo.rcFrame.right - m_sourceInfo.rcFrame.left;
    wanted.biHeight = m_sourceInfo.rcFrame.bottom - m_sourceInfo.rcFrame.top;
    wanted.biPlanes = 1;
    wanted.biBitCount = 32;
    wanted.biCompression = BI_RGB;
    m_decoder.Reset(AVIStreamGetFrameOpen(m_sourceStream.Get(), &wanted));
    if (!m_decoder)
        m_decoder.Reset(AVIStreamGetFrameOpen(m_sourceStream.Get(), nullptr));
    return static_cast<bool>(m_decoder);
}

void CodecInstance::CloseSource()
{
    m_decoder.Reset();
    m_sourceStream.Reset();
    m_sourceFile.Reset();
    m_library.reset();
}

bool CodecInstance::Deliver(const ICDECOMPRESS& decompress)
{
    return CopySourceFrame(*decompress.lpbiOutput, decompress.lpOutput, GetFrameFromVariable());
}

LONG CodecInstance::GetFrameFromVariable() const
{
    if (m_scriptName.empty() || m_variableName.empty())
        return 0;
    ScopedVariant fallback;
    V_VT(fallback.Get()) = VT_I4;
    V_I4(fallback.Get()) = 0;
    ScopedVariant value;
    V_VT(value.Get()) = VT_ERROR;
    ScriptRegistry::GetVariable(m_scriptName, m_variableName, *value.Get(), *fallback.Get());
    const VARIANT* plain = value.Get();
    while (V_VT(plain) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(plain))
        plain = V_VARIANTREF(plain);
    if (V_VT(plain) == VT_ERROR)
        return 0;
    ScopedVariant number;
    if (FAILED(VariantChangeType(number.Get(), const_cast<VARIANT*>(plain), 0, VT_I4)))
        return 0;
    return V_I4(number.Get());
}

bool CodecInstance::CopySourceFrame(const BITMAPINFOHEADER& outputFormat, void* output, LONG frame) const
{
    if (!m_decoder || outputFormat.biBitCount != 32 ||
        !IsDecodablePictureSize(outputFormat.biWidth, outputFormat.biHeight))
        return false;
    const auto* picture = static_cast<const BITMAPINFOHEADER*>(AVIStreamGetFrame(m_decoder.Get(), frame));
    if (!picture || picture->biSize < sizeof(BITMAPINFOHEADER) || picture->biBitCount != 32 ||
        picture->biCompression != BI_RGB || picture->biClrUsed > 256 ||
        !IsDecodablePictureSize(picture->biWidth, picture->biHeight))
        return false;
    // Each side's size is the smaller of what its format says and what its
    // size field says, where that is given.
    ULONGLONG outputBytes = RgbPictureBytes(outputFormat.biWidth, outputFormat.biHeight);
    if (outputFormat.biSizeImage != 0)
        outputBytes = std::min<ULONGLONG>(outputBytes, outputFormat.biSizeImage);
    ULONGLONG sourceBytes = RgbPictureBytes(picture->biWidth, picture->biHeight);
    if (picture->biSizeImage != 0)
        sourceBytes = std::min<ULONGLONG>(sourceBytes, picture->biSizeImage);
    const BYTE* pixels = reinterpret_cast<const BYTE*>(picture) + picture->biSize + picture->biClrUsed * 4;
    std::memcpy(output, pixels, static_cast<size_t>(std::min(outputBytes, sourceBytes)));
    return true;
}
