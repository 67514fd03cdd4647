#include "platform/ui/UserPrompts.h"

#include <commdlg.h>
#include <vector>

namespace {

MessageBoxHandler& MessageBoxSlot()
{
    static MessageBoxHandler handler;
    return handler;
}

FileDialogHandler& FileDialogSlot()
{
    static FileDialogHandler handler;
    return handler;
}

// "Name|*.ext||" becomes the double-terminated list the common dialog takes.
std::vector<wchar_t> FilterList(const std::wstring& filter)
{
    std::vector<wchar_t> list(filter.begin(), filter.end());
    for (wchar_t& c : list)
        if (c == L'|') c = L'\0';
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

std::optional<std::wstring> SystemFileDialog(HWND owner, const FileDialogRequest& request)
{
    std::vector<wchar_t> path(MAX_PATH * 4, L'\0');
    request.initialName.copy(path.data(), path.size() - 1);
    const std::vector<wchar_t> filter = FilterList(request.filter);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.Flags = request.flags | OFN_EXPLORER;
    const BOOL chosen = request.save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    if (!chosen) return std::nullopt;
    return std::wstring(path.data());
}

} // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, UINT type, const std::wstring& caption)
{
    if (const MessageBoxHandler& handler = MessageBoxSlot()) return handler(owner, text, caption, type);
    return ::MessageBoxW(owner, text.c_str(), caption.empty() ? nullptr : caption.c_str(), type);
}

MessageBoxHandler ReplaceMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(MessageBoxSlot(), std::move(handler));
}

std::optional<std::wstring> ShowFileDialog(HWND owner, const FileDialogRequest& request)
{
    if (const FileDialogHandler& handler = FileDialogSlot()) return handler(owner, request);
    return SystemFileDialog(owner, request);
}

FileDialogHandler ReplaceFileDialogHandler(FileDialogHandler handler)
{
    return std::exchange(FileDialogSlot(), std::move(handler));
}
