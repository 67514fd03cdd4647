#include "motion/codec/CodecInstance.h"

#include "common/com/ComTypes.h"
#include "motion/codec/CodecFormats.h"
#include "motion/codec/ScriptRegistry.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

// Every live instance by address. Used on the codec's calling thread only.
std::set<CodecInstance*>& LiveInstances()
{
    static std::set<CodecInstance*> instances;
    return instances;
}

}  // namespace

CodecInstance::CodecInstance()
{
    LiveInstances().insert(this);
}

CodecInstance::~CodecInstance()
{
    EndDecompress();
    CloseSource();
    LiveInstances().erase(this);
}

ULONG CodecInstance::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refCount));
}

ULONG CodecInstance::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

CodecInstance* CodecInstance::FromDriverId(DWORD_PTR driverId)
{
    auto* const candidate = reinterpret_cast<CodecInstance*>(driverId);
    const auto& live = LiveInstances();
    return live.find(candidate) != live.end() ? candidate : nullptr;
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
        FAILED(AVIStreamInfoW(m_sourceStream.Get(), &m_sourceInfo, sizeof(m_sourceInfo))))
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
    if (!m_decoder || outputFormat.biBitCount != 32)
        return false;
    const auto* picture = static_cast<const BITMAPINFOHEADER*>(AVIStreamGetFrame(m_decoder.Get(), frame));
    if (!picture || picture->biSize < sizeof(BITMAPINFOHEADER) || picture->biBitCount != 32 ||
        picture->biCompression != BI_RGB)
        return false;
    ULONGLONG outputBytes = RgbPictureBytes(outputFormat.biWidth, outputFormat.biHeight);
    if (outputFormat.biSizeImage != 0)
        outputBytes = std::min<ULONGLONG>(outputBytes, outputFormat.biSizeImage);
    const ULONGLONG sourceBytes = RgbPictureBytes(picture->biWidth, picture->biHeight);
    const BYTE* pixels = reinterpret_cast<const BYTE*>(picture) + picture->biSize + picture->biClrUsed * 4;
    std::memcpy(output, pixels, static_cast<size_t>(std::min(outputBytes, sourceBytes)));
    return true;
}
