#include "motion/plugin/CompanionMovieWriter.h"

#include "base/com/ComBoundary.h"
#include "base/com/RefPtr.h"
#include "common/storedvalues/StorableGuid.h"
#include "motion/plugin/AviLibrary.h"
#include "motion/plugin/CompanionPath.h"
#include "motion/records/CompanionRecords.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <limits>
#include <string>
#include <vector>
#include <vfw.h>

using namespace companion;

namespace {

constexpr DWORD kDrvl = mmioFOURCC('D', 'R', 'V', 'L');

struct SourceFacts {
    DWORD width = 0;
    DWORD height = 0;
    DWORD scale = 0;
    DWORD rate = 0;
    DWORD length = 0;
    DWORD suggestedBufferSize = 0;
    RECT frame = {};
};

HRESULT ReadSourceFacts(const wchar_t* sourcePath, SourceFacts& facts)
{
    RefPtr<IAVIFile> file;
    HRESULT hr = AVIFileOpenW(file.Put(), sourcePath, OF_READ, nullptr);
    if (FAILED(hr))
        return hr;
    AVIFILEINFOW fileInfo = {};
    hr = AVIFileInfoW(file.Get(), &fileInfo, sizeof(fileInfo));
    if (FAILED(hr))
        return hr;
    RefPtr<IAVIStream> stream;
    hr = AVIFileGetStream(file.Get(), stream.Put(), streamtypeVIDEO, 0);
    if (FAILED(hr))
        return hr;
    AVISTREAMINFOW streamInfo = {};
    hr = AVIStreamInfoW(stream.Get(), &streamInfo, sizeof(streamInfo));
    if (FAILED(hr))
        return hr;
    facts.width = fileInfo.dwWidth;
    facts.height = fileInfo.dwHeight;
    facts.scale = streamInfo.dwScale;
    facts.rate = streamInfo.dwRate;
    facts.length = streamInfo.dwLength;
    facts.suggestedBufferSize = streamInfo.dwSuggestedBufferSize;
    facts.frame = streamInfo.rcFrame;
    return S_OK;
}

// Copies `text` into a fixed record field; false when it does not fit with its NUL.
bool CopyField(wchar_t* field, size_t fieldChars, const wchar_t* text)
{
    const size_t chars = wcslen(text);
    if (chars >= fieldChars)
        return false;
    std::memcpy(field, text, chars * sizeof(wchar_t));
    return true;
}

bool FitsField(const wchar_t* text, size_t fieldChars)
{
    return wcslen(text) < fieldChars;
}

HRESULT BuildHeaderRecord(const wchar_t* sourcePath, DWORD frameCount, const std::wstring& script,
                          const wchar_t* variable, const wchar_t* scriptId,
                          std::vector<BYTE>& record)
{
    GUID recordGuid;
    const HRESULT hr = CoCreateGuid(&recordGuid);
    if (FAILED(hr))
        return hr;
    const std::wstring recordId = GuidString(recordGuid);
    record.assign(static_cast<size_t>(ScriptHeaderSize(script.size())), 0);
    auto* header = reinterpret_cast<ScriptHeaderRecord*>(record.data());
    header->recordType = kScriptHeaderType;
    header->reserved = kHeaderReservedValue;
    header->frameCount = frameCount;
    header->scriptOffset = kScriptHeaderFixedSize;
    header->scriptBytes = static_cast<uint32_t>((script.size() + 1) * sizeof(wchar_t));
    std::memcpy(record.data() + kScriptHeaderFixedSize, script.data(),
                script.size() * sizeof(wchar_t));
    if (!CopyField(header->recordId, kIdChars, recordId.c_str()) ||
        !CopyField(header->sourcePath, kPathChars, sourcePath) ||
        !CopyField(header->scriptId, kIdChars, scriptId) ||
        !CopyField(header->variableName, kIdChars, variable))
        return E_INVALIDARG;
    return S_OK;
}

// Writes every frame into the already created companion file. The result is
// the failing call's or the last write's.
HRESULT WriteFrames(IAVIFile* file, const SourceFacts& facts, const wchar_t* sourcePath,
                    const std::wstring& script, const wchar_t* variable, const wchar_t* scriptId)
{
    AVISTREAMINFOW streamInfo = {};
    streamInfo.fccType = streamtypeVIDEO;
    streamInfo.dwScale = facts.scale;
    streamInfo.dwRate = facts.rate;
    streamInfo.dwSuggestedBufferSize = facts.suggestedBufferSize;
    streamInfo.rcFrame = facts.frame;
    RefPtr<IAVIStream> stream;
    HRESULT hr = AVIFileCreateStreamW(file, stream.Put(), &streamInfo);
    if (hr != S_OK)
        return hr;

    AVICOMPRESSOPTIONS options = {};
    options.fccType = streamtypeVIDEO;
    options.fccHandler = kDrvl;
    options.dwFlags = AVICOMPRESSF_VALID;
    RefPtr<IAVIStream> compressing;
    hr = AVIMakeCompressedStream(compressing.Put(), stream.Get(), &options, nullptr);
    if (hr != S_OK)
        return hr;

    std::vector<BYTE> header;
    hr = BuildHeaderRecord(sourcePath, facts.length, script, variable, scriptId, header);
    if (FAILED(hr))
        return hr;

    // The compressor announces biSizeImage as its largest frame and the
    // compressing stream sizes its output buffer by it: the header record
    // must fit, whatever the source suggested.
    BITMAPINFOHEADER format = {};
    format.biSize = sizeof(format);
    format.biWidth = static_cast<LONG>(facts.width);
    format.biHeight = static_cast<LONG>(facts.height);
    format.biPlanes = 1;
    format.biBitCount = 32;
    format.biCompression = BI_RGB;
    format.biSizeImage = std::max<DWORD>(facts.suggestedBufferSize, static_cast<DWORD>(header.size()));
    hr = AVIStreamSetFormat(compressing.Get(), 0, &format, sizeof(format));
    if (hr != S_OK)
        return hr;

    hr = AVIStreamWrite(compressing.Get(), 0, 1, header.data(), static_cast<LONG>(header.size()),
                        AVIIF_KEYFRAME, nullptr, nullptr);
    for (DWORD i = 1; SUCCEEDED(hr) && i < facts.length; ++i) {
        FrameIndexRecord index = {kFrameIndexType, 1, i};
        hr = AVIStreamWrite(compressing.Get(), static_cast<LONG>(i), 1, &index, sizeof(index),
                            AVIIF_KEYFRAME, nullptr, nullptr);
    }
    return hr;
}

} // namespace

HRESULT WriteCompanionMovie(const wchar_t* sourcePath, wchar_t (&companionPath)[MAX_PATH],
                            const wchar_t* script, const wchar_t* variable,
                            const wchar_t* scriptId)
{
    companionPath[0] = L'\0';
    if (!sourcePath)
        return E_POINTER;
    if (!FitsField(sourcePath, kPathChars) || !MakeCompanionPath(sourcePath, companionPath))
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    const wchar_t* const scriptText = script ? script : L"";
    variable = variable ? variable : L"";
    scriptId = scriptId ? scriptId : L"";
    if (!FitsField(variable, kIdChars) || !FitsField(scriptId, kIdChars))
        return E_INVALIDARG;
    // The whole record's size goes to AVIStreamWrite as a LONG.
    if (ScriptHeaderSize(wcslen(scriptText)) >
        static_cast<uint64_t>(std::numeric_limits<LONG>::max()))
        return E_INVALIDARG;

    // The caller is a COM control: nothing may leave as an exception.
    return ComBoundary([&]() -> HRESULT {
        const std::wstring scriptCopy(scriptText);
        AviLibrary library;
        SourceFacts facts;
        HRESULT hr = ReadSourceFacts(sourcePath, facts);
        if (FAILED(hr))
            return hr;

        RefPtr<IAVIFile> file;
        hr = AVIFileOpenW(file.Put(), companionPath, OF_CREATE | OF_WRITE, nullptr);
        if (hr != S_OK)
            return hr;
        return WriteFrames(file.Get(), facts, sourcePath, scriptCopy, variable, scriptId);
    });
}
