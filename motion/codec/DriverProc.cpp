// The DRVL codec's entry: Video for Windows sends every message here.
#include "motion/codec/CodecFormats.h"
#include "motion/codec/CodecInstance.h"
#include "motion/codec/DebugOutput.h"
#include "motion/codec/LiveCounts.h"
#include "motion/codec/ScriptRegistry.h"

#include <new>
#include <windows.h>
#include <vfw.h>

namespace {

const auto* AsFormat(LPARAM p)
{
    return reinterpret_cast<const BITMAPINFOHEADER*>(p);
}

LRESULT HandleMessage(CodecInstance* instance, DWORD_PTR driverId, HDRVR driverHandle, UINT message,
                      LPARAM param1, LPARAM param2)
{
    switch (message) {
    case DRV_LOAD: case DRV_ENABLE: case DRV_DISABLE: case DRV_QUERYCONFIGURE:
    case DRV_INSTALL: case DRV_REMOVE: case DRV_CONFIGURE:
        return 1;
    case DRV_FREE:
        // The module is unloaded next: no runner thread may outlive it.
        ScriptRegistry::ReleaseAll();
        return 1;
    case DRV_OPEN:
        return reinterpret_cast<LRESULT>(new (std::nothrow) CodecInstance());
    case DRV_CLOSE:
        if (instance)
            instance->Release();
        return 1;
    case ICM_GETSTATE: case ICM_SETSTATE: case ICM_CONFIGURE: case ICM_ABOUT:
        return 0;
    case ICM_GETINFO:
        return instance ? GetCodecInfo(reinterpret_cast<ICINFO*>(param1), static_cast<DWORD>(param2)) : 0;
    case ICM_COMPRESS_GET_SIZE:
        if (!instance || !param1)
            return 0;
        instance->SetCompressCapacity(AsFormat(param1)->biSizeImage);
        return AsFormat(param1)->biSizeImage;
    default:
        break;
    }
    if (!instance) {
        switch (message) {
        case ICM_COMPRESS_GET_FORMAT: case ICM_COMPRESS_BEGIN: case ICM_COMPRESS_END: case ICM_COMPRESS:
        case ICM_DECOMPRESS_GET_FORMAT: case ICM_DECOMPRESS_QUERY: case ICM_DECOMPRESS_BEGIN:
        case ICM_DECOMPRESS: case ICM_DECOMPRESS_END: case ICM_DRAW_START: case ICM_DRAW_STOP:
        case ICM_DECOMPRESS_GET_PALETTE: case ICM_COMPRESS_FRAMES_INFO:
            return ICERR_ERROR;
        default:
            return DefDriverProc(driverId, driverHandle, message, param1, param2);
        }
    }
    switch (message) {
    case ICM_COMPRESS_GET_FORMAT:
        return CompressedFormat(AsFormat(param1), reinterpret_cast<BITMAPINFOHEADER*>(param2));
    case ICM_COMPRESS_BEGIN:
        // The output buffer is the size announced for this input.
        if (param1 && !instance->CompressCapacity())
            instance->SetCompressCapacity(AsFormat(param1)->biSizeImage);
        return ICERR_OK;
    case ICM_COMPRESS_END: case ICM_DECOMPRESS_BEGIN: case ICM_COMPRESS_FRAMES_INFO:
        return ICERR_OK;
    case ICM_COMPRESS:
        return param1 ? CompressRecord(*reinterpret_cast<const ICCOMPRESS*>(param1), instance->CompressCapacity())
                      : ICERR_ERROR;
    case ICM_DECOMPRESS_GET_FORMAT:
        return DecompressedFormat(AsFormat(param1), reinterpret_cast<BITMAPINFOHEADER*>(param2));
    case ICM_DECOMPRESS_QUERY:
        return QueryDecompress(AsFormat(param1), AsFormat(param2));
    case ICM_DECOMPRESS:
        return param1 ? instance->DecompressFrame(*reinterpret_cast<const ICDECOMPRESS*>(param1)) : ICERR_ERROR;
    case ICM_DECOMPRESS_END: case ICM_DRAW_START: case ICM_DRAW_STOP:
        return instance->EndDecompress();
    case ICM_DECOMPRESS_GET_PALETTE:
        return ICERR_BADFORMAT;   // 32-bit pictures have no palette
    default:
        return DefDriverProc(driverId, driverHandle, message, param1, param2);
    }
}

}  // namespace

extern "C" LRESULT WINAPI DriverProc(DWORD_PTR driverId, HDRVR driverHandle, UINT message, LPARAM param1,
                                     LPARAM param2)
{
    try {
        // Held for the message: a close on another thread cannot free it meanwhile.
        const RefPtr<CodecInstance> instance = CodecInstance::FromDriverId(driverId);
        return HandleMessage(instance.Get(), driverId, driverHandle, message, param1, param2);
    } catch (...) {
        // Nothing may escape into the player.
        return message == DRV_OPEN ? 0 : ICERR_ERROR;
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH || reason == DLL_PROCESS_DETACH || reason == DLL_THREAD_ATTACH ||
        reason == DLL_THREAD_DETACH)
        DebugOutput(L"Engines: %d, DrovelObjs: %d\n", static_cast<int>(LiveScriptEngines()),
                    static_cast<int>(LiveDrovelObjects()));
    return TRUE;
}
