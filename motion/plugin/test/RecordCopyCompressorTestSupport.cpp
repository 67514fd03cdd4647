#include "motion/plugin/test/RecordCopyCompressorTestSupport.h"

#include "motion/records/CompanionRecords.h"

#include <cstring>
#include <vfw.h>

namespace {

constexpr DWORD kDrvl = mmioFOURCC('D', 'R', 'V', 'L');

// The driver runs on the writing thread only (one writer at a time).
struct CompressorState {
    int failAtCall = -1;
    int calls = 0;
    int refusedOversize = 0;
    DWORD announcedSize = 0;
};
CompressorState g_state;

LRESULT Compress(const ICCOMPRESS* c)
{
    const int call = g_state.calls++;
    if (call == g_state.failAtCall)
        return ICERR_ERROR;
    uint64_t size;
    if (!companion::RecordSize(c->lpInput, size))
        return ICERR_ERROR;
    if (size > g_state.announcedSize) {
        ++g_state.refusedOversize;
        return ICERR_MEMORY;
    }
    std::memcpy(c->lpOutput, c->lpInput, static_cast<size_t>(size));
    c->lpbiOutput->biSizeImage = static_cast<DWORD>(size);
    if (c->lpdwFlags)
        *c->lpdwFlags = AVIIF_KEYFRAME;
    return ICERR_OK;
}

LRESULT CALLBACK CompressorProc(DWORD_PTR id, HDRVR, UINT message, LPARAM p1, LPARAM p2)
{
    switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_CLOSE:
        return 1;
    case DRV_OPEN:
        return 1;
    case ICM_GETINFO: {
        auto* info = reinterpret_cast<ICINFO*>(p1);
        if (!info || static_cast<DWORD>(p2) < sizeof(ICINFO))
            return 0;
        std::memset(info, 0, sizeof(ICINFO));
        info->dwSize = sizeof(ICINFO);
        info->fccType = ICTYPE_VIDEO;
        info->fccHandler = kDrvl;
        info->dwVersionICM = ICVERSION;
        wcscpy(info->szName, L"DRVL");
        wcscpy(info->szDescription, L"Record copy");
        return sizeof(ICINFO);
    }
    case ICM_COMPRESS_QUERY:
    case ICM_COMPRESS_BEGIN:
    case ICM_COMPRESS_END:
    case ICM_COMPRESS_FRAMES_INFO:
        return ICERR_OK;
    case ICM_COMPRESS_GET_FORMAT: {
        if (!p2)
            return sizeof(BITMAPINFOHEADER);
        auto* out = reinterpret_cast<BITMAPINFOHEADER*>(p2);
        std::memcpy(out, reinterpret_cast<const BITMAPINFOHEADER*>(p1), sizeof(BITMAPINFOHEADER));
        out->biSize = sizeof(BITMAPINFOHEADER);
        out->biCompression = kDrvl;
        out->biBitCount = 32;
        out->biClrUsed = 0;
        out->biClrImportant = 0;
        return ICERR_OK;
    }
    case ICM_COMPRESS_GET_SIZE:
        g_state.announcedSize = reinterpret_cast<const BITMAPINFOHEADER*>(p1)->biSizeImage;
        return g_state.announcedSize;
    case ICM_COMPRESS:
        return Compress(reinterpret_cast<const ICCOMPRESS*>(p1));
    default:
        return id ? ICERR_UNSUPPORTED : 0;
    }
}

} // namespace

ScopedRecordCopyCompressor::ScopedRecordCopyCompressor()
{
    g_state = CompressorState();
    m_installed = ICInstall(ICTYPE_VIDEO, kDrvl, reinterpret_cast<LPARAM>(&CompressorProc),
                            nullptr, ICINSTALL_FUNCTION) != FALSE;
}

ScopedRecordCopyCompressor::~ScopedRecordCopyCompressor()
{
    if (m_installed)
        ICRemove(ICTYPE_VIDEO, kDrvl, 0);
}

void ScopedRecordCopyCompressor::FailCompressCall(int call)
{
    g_state.failAtCall = call;
    g_state.calls = 0;
}

int ScopedRecordCopyCompressor::RefusedOversizeRecords() const
{
    return g_state.refusedOversize;
}
