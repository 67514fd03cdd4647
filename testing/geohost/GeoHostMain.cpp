// The stand-in geometry host: loads Vantre.dll by its exports, builds one
// bar and writes it out so a person can look at it.
//   geohost [--value v] [--enable-change] [--points n] [--curved] [--obj file] [--png file]
//           [--show panel|shape-maker <ready file> <close file>]
// With --show it opens the bar's parameter panel in a host window, expanded,
// or the Shape Maker over the bar's outline; once the window is up it writes
// its screen rectangle ("x y width height") to the ready file, and it closes
// when the close file appears (or after a minute).
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <string>

#include "base/com/ScopedComApartment.h"
#include "geometry/GdiplusSession.h"
#include "testing/geohost/MeshPictures.h"
#include "testing/geohost/ParamPanelDriver.h"
#include "testing/geohost/StandInGeoObject.h"
#include "testing/geohost/StandInHostPanel.h"
#include "testing/geohost/StandInParamLink.h"
#include "testing/geohost/VantreLibrary.h"
#include "testing/uitest/ThreadWindows.h"

namespace {

// A regular n-gon of radius 0.5, clockwise like the default square.
void SetOutline(CStandInGeoObject& bar, int count, bool curved)
{
    bar.SetParam(0, count);
    for (int k = 0; k < count; ++k) {
        const double angle = M_PI / 2 - 2 * M_PI * k / count;
        const double x = 0.5 * std::cos(angle), y = 0.5 * std::sin(angle);
        const double tx = std::sin(angle) * 0.15, ty = -std::cos(angle) * 0.15;   // along the outline
        const double fields[7] = {x, y, x - tx, y - ty, x + tx, y + ty, curved ? 2.0 : 1.0};
        for (int f = 0; f < 7; ++f)
            bar.SetParam(7 * k + 1 + f, fields[f]);
    }
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Opens the panel (expanded, a slider open and selected) or the Shape Maker
// and keeps it up until `closeFile` appears.
int Show(CVantreLibrary& vantre, CStandInGeoObject& bar, const std::wstring& view, const std::wstring& readyFile,
         const std::wstring& closeFile)
{
    CStandInHostPanel host(nullptr, 440, 560);
    CStandInParamLink link(bar, host.WindowObject());
    HWND panel = host.IsCreated() ? vantre.GetParamDialog(&link) : nullptr;
    if (!panel) {
        fprintf(stderr, "the parameter panel could not be made\n");
        return 1;
    }
    const CParamPanelDriver driver(panel);
    driver.Settle();
    driver.ClickAndSettle(driver.Triangle(0, 0));        // the main row
    driver.ClickAndSettle(driver.Triangle(4, 1));        // Tessellation's slider
    driver.ClickAndSettle(driver.Triangle(8, 1));        // Limits
    driver.ClickAndSettle(driver.Triangle(13, 1));       // Link Values
    driver.ClickAndSettle(driver.ValueText(3));          // Bottom Offset, in the editor
    HWND shown = host.Frame();
    if (view == L"shape-maker") {
        driver.ClickAndSettle(driver.ControlBox(5));     // the Shape button
        shown = FindShownThreadWindow([](HWND hwnd) { return WindowTitle(hwnd) == L"Shape Maker"; });
        if (!shown) {
            fprintf(stderr, "the Shape Maker did not open\n");
            return 1;
        }
    }
    const DWORD start = GetTickCount();
    bool reported = false;
    while (!Exists(closeFile) && GetTickCount() - start < 60000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        driver.Settle();
        if (!reported && GetTickCount() - start > 1000) {
            RECT rect{};
            GetWindowRect(shown, &rect);
            if (FILE* ready = _wfopen(readyFile.c_str(), L"w")) {
                fprintf(ready, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top);
                fclose(ready);
            }
            reported = true;
        }
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    double value = -1;
    bool enableChange = false, curved = false;
    int points = 0;
    const wchar_t* objPath = nullptr;
    const wchar_t* pngPath = nullptr;
    std::wstring view, readyFile, closeFile;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasNext = i + 1 < argc;
        if (arg == L"--value" && hasNext) value = _wtof(argv[++i]);
        else if (arg == L"--enable-change") enableChange = true;
        else if (arg == L"--curved") curved = true;
        else if (arg == L"--points" && hasNext) points = _wtoi(argv[++i]);
        else if (arg == L"--obj" && hasNext) objPath = argv[++i];
        else if (arg == L"--png" && hasNext) pngPath = argv[++i];
        else if (arg == L"--show" && i + 3 < argc) {
            view = argv[++i];
            readyFile = argv[++i];
            closeFile = argv[++i];
        } else {
            fwprintf(stderr, L"usage: geohost [--value v] [--enable-change] [--points n] [--curved] [--obj file] [--png file]\n"
                             L"               [--show panel|shape-maker <ready file> <close file>]\n");
            return 2;
        }
    }

    const ScopedComApartment com;
    if (!com)
        return 1;
    int result = 0;
    {
        CGdiplusSession gdiplus;
        CVantreLibrary vantre;
        if (!vantre.IsLoaded()) {
            fprintf(stderr, "Vantre.dll or one of its exports is missing\n");
            result = 1;
        } else {
            CStandInGeoObject bar;
            vantre.InitializeParamMap(&bar);
            if (points >= 3 && points <= 16)
                SetOutline(bar, points, curved);
            if (enableChange)
                bar.SetParam(122, 1);
            int builds = vantre.RebuildWhileRequested(&bar, bar.GetMeshBuffers(), 1000);
            if (value >= 0) {
                // The value reaches the bar the way the chart control sends it.
                wchar_t guid[64] = {};
                double halves[2] = {bar.GetParam(113), bar.GetParam(114)};
                GUID id;
                memcpy(&id, halves, sizeof id);
                StringFromGUID2(id, guid, 64);
                vantre.SetDataBarValue(guid, L"PercentValue", value, 1);
                builds += vantre.RebuildWhileRequested(&bar, bar.GetMeshBuffers(), 1000);
            }
            if (!view.empty()) {
                result = Show(vantre, bar, view, readyFile, closeFile);
                builds += vantre.RebuildWhileRequested(&bar, bar.GetMeshBuffers(), 1000);
            }
            printf("%d builds, %d vertices\n", builds, bar.VertexCount());
            for (const StandInPart& part : bar.Parts())
                printf("  %-6s kind %d first %d count %d\n", part.name.c_str(), part.kind, part.first, part.count);
            if (objPath && !WriteMeshObj(bar, objPath)) {
                fprintf(stderr, "could not write the OBJ file\n");
                result = 1;
            }
            if (pngPath && !WriteMeshPng(bar, pngPath, 512)) {
                fprintf(stderr, "could not write the PNG file\n");
                result = 1;
            }
        }
    }
    return result;
}
