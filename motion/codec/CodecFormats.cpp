#include "motion/codec/CodecFormats.h"

#include "motion/records/CompanionRecords.h"

#include <cstring>

namespace {

constexpr DWORD kFormatSize = sizeof(BITMAPINFOHEADER);
constexpr DWORD kDibFourCC = mmioFOURCC('D', 'I', 'B', ' ');
constexpr DWORD kDibZeroFourCC = mmioFOURCC('D', 'I', 'B', '\0');

// The input format with the given compression at 32 bits and no colour table.
LRESULT AnswerFormat(const BITMAPINFOHEADER* input, BITMAPINFOHEADER* output, DWORD compression)
{
    if (!output)
        return kFormatSize;
    if (!input)
        return ICERR_BADFORMAT;
    std::memcpy(output, input, kFormatSize);
    output->biSize = kFormatSize;
    output->biCompression = compression;
    output->biBitCount = 32;
    output->biClrUsed = 0;
    output->biClrImportant = 0;
    return ICERR_OK;
}

}  // namespace

ULONGLONG RgbPictureBytes(LONG width, LONG height)
{
    if (width <= 0 || height == 0)
        return 0;
    const ULONGLONG rows = height < 0 ? static_cast<ULONGLONG>(-static_cast<LONGLONG>(height))
                                      : static_cast<ULONGLONG>(height);
    return static_cast<ULONGLONG>(width) * rows * 4;
}

bool IsDecodablePictureSize(LONG width, LONG height)
{
    if (width <= 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        height < -kMaxPictureSide)
        return false;
    return RgbPictureBytes(width, height) <= kMaxPictureBytes;
}

LRESULT GetCodecInfo(ICINFO* info, DWORD size)
{
    if (!info)
        return sizeof(ICINFO);
    if (size < sizeof(ICINFO))
        return 0;
    info->dwSize = sizeof(ICINFO);
    info->fccType = ICTYPE_VIDEO;
    info->fccHandler = kDrvlFourCC;
    info->dwFlags = 0;
    info->dwVersion = 0x10000;
    info->dwVersionICM = ICVERSION;
    lstrcpynW(info->szName, L"Velmora Drovel", ARRAYSIZE(info->szName));
    lstrcpynW(info->szDescription, L"Drovel 1.0", ARRAYSIZE(info->szDescription));
    return sizeof(ICINFO);
}

LRESULT CompressedFormat(const BITMAPINFOHEADER* input, BITMAPINFOHEADER* output)
{
    return AnswerFormat(input, output, kDrvlFourCC);
}

LRESULT DecompressedFormat(const BITMAPINFOHEADER* input, BITMAPINFOHEADER* output)
{
    if (output && input && !IsDecodablePictureSize(input->biWidth, input->biHeight))
        return ICERR_BADFORMAT;
    const LRESULT result = AnswerFormat(input, output, BI_RGB);
    if (output && result == ICERR_OK) {
        output->biPlanes = 1;
        // The input's size is the largest record, not a picture: players
        // size their output buffer from this.
        output->biSizeImage = static_cast<DWORD>(RgbPictureBytes(output->biWidth, output->biHeight));
    }
    return result;
}

LRESULT QueryDecompress(const BITMAPINFOHEADER* input, const BITMAPINFOHEADER* output)
{
    if (!input || input->biCompression != kDrvlFourCC || !IsDecodablePictureSize(input->biWidth, input->biHeight))
        return ICERR_BADFORMAT;
    if (!output)
        return ICERR_OK;
    if (!IsDecodablePictureSize(output->biWidth, output->biHeight))
        return ICERR_BADFORMAT;
    // Every picture is written with 32 bits per pixel, whatever the name.
    const bool rgbName = output->biCompression == BI_RGB || output->biCompression == kDibFourCC ||
                         output->biCompression == kDibZeroFourCC;
    return rgbName && output->biBitCount == 32 ? ICERR_OK : ICERR_BADFORMAT;
}

LRESULT CompressRecord(const ICCOMPRESS& compress, DWORD capacity)
{
    if (!compress.lpInput || !compress.lpOutput || !compress.lpbiOutput)
        return ICERR_ERROR;
    if (compress.lpckid)
        *compress.lpckid = kDrvlFourCC;
    if (compress.lpdwFlags)
        *compress.lpdwFlags = AVIIF_KEYFRAME;
    uint64_t size;
    if (!companion::RecordSize(compress.lpInput, size))
        return ICERR_ERROR;
    if (size > capacity)
        return ICERR_MEMORY;
    std::memcpy(compress.lpOutput, compress.lpInput, static_cast<size_t>(size));
    compress.lpbiOutput->biSizeImage = static_cast<DWORD>(size);
    return ICERR_OK;
}
