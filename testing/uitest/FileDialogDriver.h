#pragma once
// Answers the system's real open or save dialog from a test: `open` shows
// the dialog, owned by `owner` (it returns once the dialog closes); a thread
// timer, which runs
// inside the dialog's modal loop, notes its title, types `fileName` into its
// file name box and presses OK. A dialog that does not close is cancelled,
// so a test never hangs.

#include <windows.h>
#include <dlgs.h>

#include <functional>
#include <string>

#include "testing/uitest/ThreadWindows.h"

struct FileDialogSeen {
    bool opened = false;
    std::wstring title;
};

namespace file_dialog_driver {

struct Run {
    std::wstring fileName;
    HWND owner = nullptr;
    FileDialogSeen seen;
    HWND dialog = nullptr;
    int ticks = 0;
};

inline Run*& Current()
{
    static Run* run = nullptr;
    return run;
}

inline void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    Run* run = Current();
    if (!run)
        return;
    ++run->ticks;
    if (run->dialog) {
        if (run->ticks > 1500 && IsWindow(run->dialog))
            PostMessageW(run->dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND dialog = FindShownThreadWindow([run](HWND hwnd) {
        return WindowClassName(hwnd) == L"#32770" && GetWindow(hwnd, GW_OWNER) == run->owner;
    });
    // The dialog fills its views first: give it a few ticks.
    if (!dialog || run->ticks < 5)
        return;
    run->dialog = dialog;
    run->seen.opened = true;
    run->seen.title = WindowTitle(dialog);
    for (int box : {cmb13, edt1})
        if (HWND name = GetDlgItem(dialog, box))
            SetWindowTextW(name, run->fileName.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace file_dialog_driver

inline FileDialogSeen AnswerFileDialog(const std::function<void()>& open, HWND owner, const std::wstring& fileName)
{
    file_dialog_driver::Run run;
    run.fileName = fileName;
    run.owner = owner;
    file_dialog_driver::Current() = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &file_dialog_driver::OnTick);
    open();
    KillTimer(nullptr, timer);
    file_dialog_driver::Current() = nullptr;
    return run.seen;
}
