// Shows the About box, the log page, the motion plug-in's script editor,
// Plotvane's chart editor, its pages and dialogs or the text-vote page for a
// reviewer's screenshot:
//   ui_demo.exe about|log|drovel-editor|chart-editor|chart-editor-log|bar-page|line-page|make-group|setup|sms-page
//               <ready file> <close file>
// Once the window is up it writes its screen rectangle ("x y width height")
// to the ready file, and it closes when the close file appears (or after a
// minute).

#include "ChartEditorDemo.h"
#include "DemoIds.h"
#include "DrovelEditorDemo.h"
#include "QuillonEditorDemo.h"
#include "SmsPageDemo.h"
#include "common/about/AboutDialog.h"
#include "common/about/VelmoraStatic.h"
#include "base/com/ScopedComApartment.h"
#include "common/logwindow/LogDialog.h"
#include "common/logwindow/LogLine.h"
#include "base/text/WideFormat.h"
#include "platform/ui/Dialog.h"

#include <windows.h>
#include <shellapi.h>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

namespace {

std::wstring g_readyFile;
std::wstring g_closeFile;
int g_ticks = 0;
bool g_reported = false;

// A log page under the maker's logo, fed by a worker thread.
class CDemoLogWindow : public CDialog {
public:
    CDemoLogWindow() : CDialog(IDD_DEMO_LOG) {}
    ~CDemoLogWindow() override
    {
        if (m_worker.joinable()) m_worker.join();
        DestroyWindow();
    }

protected:
    BOOL OnInitDialog() override
    {
        m_logo.SubclassDlgItem(IDC_DEMO_LOGO, GetSafeHwnd());
        m_logo.SetHandCursor();
        m_page = std::make_unique<CLogDialog>(GetSafeHwnd());
        const RECT client = GetClientRect();
        Layout(client.right, client.bottom);
        ::ShowWindow(m_page->GetSafeHwnd(), SW_SHOW);
        m_worker = std::thread([] {
            const wchar_t* events[] = {L"Server listening on port 5011", L"Request historical EURUSD served",
                                       L"Script \u00e4nderung geladen", L"UpdateCharts refresh",
                                       L"Client 127.0.0.1 disconnected"};
            for (int i = 0; i < 40; ++i) {
                SYSTEMTIME now;
                ::GetLocalTime(&now);
                PostToLogTarget(FormatLogLine(now, FormatWide(L"%ls (%d)", events[i % 5], i + 1)));
                ::Sleep(10);
            }
        });
        return TRUE;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_SIZE) Layout(LOWORD(lParam), HIWORD(lParam));
        return CDialog::OnMessage(msg, wParam, lParam, result);
    }

private:
    void Layout(int width, int height)
    {
        if (m_page) ::MoveWindow(m_page->GetSafeHwnd(), 0, 48, width, height - 48, TRUE);
    }

    CVelmoraStatic m_logo;
    std::unique_ptr<CLogDialog> m_page;
    std::thread m_worker;
};

BOOL CALLBACK FindShownDialog(HWND hwnd, LPARAM found)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hwnd, className, 16);
    if (std::wstring(className) == L"#32770" && ::IsWindowVisible(hwnd) && !(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD))
        *reinterpret_cast<HWND*>(found) = hwnd; // the last one is the innermost modal box
    return TRUE;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    ++g_ticks;
    HWND shown = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindShownDialog, reinterpret_cast<LPARAM>(&shown));
    if (!shown) return;
    if (!g_reported && g_ticks >= 10) { // let it paint first
        RECT rect{};
        ::GetWindowRect(shown, &rect);
        if (FILE* ready = _wfopen(g_readyFile.c_str(), L"w")) {
            std::fprintf(ready, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
            std::fclose(ready);
        }
        g_reported = true;
    }
    if (::GetFileAttributesW(g_closeFile.c_str()) != INVALID_FILE_ATTRIBUTES || g_ticks > 600)
        ::PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv) return 2;
    const std::wstring view = argc > 1 ? argv[1] : L"about";
    g_readyFile = argc > 2 ? argv[2] : L"ready.txt";
    g_closeFile = argc > 3 ? argv[3] : L"close.txt";
    ::LocalFree(argv);

    ::SetTimer(nullptr, 0, 100, &OnTick);
    if (view == L"log") {
        CDemoLogWindow window;
        window.DoModal();
    } else if (view == L"drovel-editor") {
        const ScopedComApartment com;
        if (!ShowDrovelEditor()) return 1;
    } else if (view == L"sms-page") {
        const ScopedComApartment com;
        if (!ShowSmsPage()) return 1;
    } else if (view == L"chart-editor" || view == L"chart-editor-log") {
        const ScopedComApartment com;
        ShowQuillonEditor(view == L"chart-editor-log");
    } else if (view == L"bar-page" || view == L"line-page") {
        ShowChartPage(view == L"bar-page");
    } else if (view == L"make-group") {
        ShowMakeGroup();
    } else if (view == L"setup") {
        ShowSetupDialog();
    } else {
        CAboutDialog about(nullptr);
        about.DoModal();
    }
    return 0;
}
