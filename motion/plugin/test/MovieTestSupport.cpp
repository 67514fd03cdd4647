#include "motion/plugin/test/MovieTestSupport.h"

#include "base/com/RefPtr.h"
#include "motion/plugin/AviLibrary.h"

#include <vector>
#include <vfw.h>

HRESULT WriteVideoMovie(const std::wstring& path, const TestMovieShape& shape)
{
    AviLibrary library;
    RefPtr<IAVIFile> file;
    HRESULT hr = AVIFileOpenW(file.Put(), path.c_str(), OF_CREATE | OF_WRITE, nullptr);
    if (FAILED(hr))
        return hr;
    const DWORD frameBytes = static_cast<DWORD>(shape.width * shape.height * 4);
    AVISTREAMINFOW info = {};
    info.fccType = streamtypeVIDEO;
    info.fccHandler = mmioFOURCC('D', 'I', 'B', ' ');
    info.dwScale = shape.scale;
    info.dwRate = shape.rate;
    info.dwSuggestedBufferSize = frameBytes;
    SetRect(&info.rcFrame, 0, 0, shape.width, shape.height);
    RefPtr<IAVIStream> stream;
    hr = AVIFileCreateStreamW(file.Get(), stream.Put(), &info);
    if (FAILED(hr))
        return hr;
    BITMAPINFOHEADER format = {};
    format.biSize = sizeof(format);
    format.biWidth = shape.width;
    format.biHeight = shape.height;
    format.biPlanes = 1;
    format.biBitCount = 32;
    format.biCompression = BI_RGB;
    format.biSizeImage = frameBytes;
    hr = AVIStreamSetFormat(stream.Get(), 0, &format, sizeof(format));
    if (FAILED(hr))
        return hr;
    std::vector<BYTE> pixels(frameBytes);
    for (DWORD i = 0; i < shape.frames; ++i) {
        std::fill(pixels.begin(), pixels.end(), static_cast<BYTE>(i));
        hr = AVIStreamWrite(stream.Get(), static_cast<LONG>(i), 1, pixels.data(),
                            static_cast<LONG>(frameBytes), AVIIF_KEYFRAME, nullptr, nullptr);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT WriteAudioOnlyMovie(const std::wstring& path)
{
    AviLibrary library;
    RefPtr<IAVIFile> file;
    HRESULT hr = AVIFileOpenW(file.Put(), path.c_str(), OF_CREATE | OF_WRITE, nullptr);
    if (FAILED(hr))
        return hr;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 8000;
    format.wBitsPerSample = 8;
    format.nBlockAlign = 1;
    format.nAvgBytesPerSec = 8000;
    AVISTREAMINFOW info = {};
    info.fccType = streamtypeAUDIO;
    info.dwScale = 1;
    info.dwRate = 8000;
    info.dwSampleSize = 1;
    RefPtr<IAVIStream> stream;
    hr = AVIFileCreateStreamW(file.Get(), stream.Put(), &info);
    if (FAILED(hr))
        return hr;
    hr = AVIStreamSetFormat(stream.Get(), 0, &format, sizeof(format));
    if (FAILED(hr))
        return hr;
    std::vector<BYTE> samples(800, 0x80);
    return AVIStreamWrite(stream.Get(), 0, static_cast<LONG>(samples.size()), samples.data(),
                          static_cast<LONG>(samples.size()), AVIIF_KEYFRAME, nullptr, nullptr);
}
