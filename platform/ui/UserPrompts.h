#pragma once
// Message boxes and file dialogs go through these functions, so a test can
// put its own answer in place of a window that waits for a user.

#include <windows.h>
#include <functional>
#include <optional>
#include <string>
#include <utility>

using MessageBoxHandler =
    std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)>;

// MessageBoxW unless replaced. An empty caption gives the system's "Error".
int ShowMessageBox(HWND owner, const std::wstring& text, UINT type = MB_OK,
                   const std::wstring& caption = {});
// Returns the handler that was in place; an empty handler restores MessageBoxW.
MessageBoxHandler ReplaceMessageBoxHandler(MessageBoxHandler handler);

struct FileDialogRequest {
    bool save = false;
    // The class library's form: "VBScript Files (*.vbs)|*.vbs||"; empty for none.
    std::wstring filter;
    std::wstring defaultExtension;
    std::wstring initialName;
    std::wstring title; // empty: the system's "Open" or "Save As"
    DWORD flags = 0; // OFN_*
};

using FileDialogHandler =
    std::function<std::optional<std::wstring>(HWND owner, const FileDialogRequest& request)>;

// The chosen path, or nothing when the user cancelled.
std::optional<std::wstring> ShowFileDialog(HWND owner, const FileDialogRequest& request);
FileDialogHandler ReplaceFileDialogHandler(FileDialogHandler handler);

// Puts a handler in place for a scope.
template <typename Handler, Handler (*Replace)(Handler)>
class ScopedHandler {
public:
    explicit ScopedHandler(Handler handler) : m_previous(Replace(std::move(handler))) {}
    ScopedHandler(const ScopedHandler&) = delete;
    ScopedHandler& operator=(const ScopedHandler&) = delete;
    ~ScopedHandler() { Replace(std::move(m_previous)); }

private:
    Handler m_previous;
};

using ScopedMessageBoxHandler = ScopedHandler<MessageBoxHandler, &ReplaceMessageBoxHandler>;
using ScopedFileDialogHandler = ScopedHandler<FileDialogHandler, &ReplaceFileDialogHandler>;
