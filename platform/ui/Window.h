#pragma once
// CWnd: one C++ object attached to one HWND. The object either owns the
// window (made with CreateEx, destroyed with the object) or has subclassed an
// existing one (a dialog's control, given back when the object goes).
//
// Messages reach the virtual OnMessage first; what it leaves goes to the
// window's previous procedure. Notifications and WM_CTLCOLOR* that a child
// sends its parent are first offered to the child's own object through
// OnReflectedMessage, so a control class can colour and handle itself.

#include <windows.h>
#include <string>

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND GetSafeHwnd() const { return m_hWnd; }

    // Makes a window of any registered class and attaches to it. The
    // identifier is used only for child windows.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                  DWORD style, const RECT& rect, HWND parent, UINT id, void* param = nullptr);
    // Attaches to a window that someone else made; fails when an object of
    // this module is already attached to it.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(int id, HWND parent);
    // Gives a subclassed window back to its previous procedure.
    HWND UnsubclassWindow();
    bool DestroyWindow();

    // The object of this module attached to the window, or null.
    static CWnd* FromHandle(HWND hwnd);

    // Called by the message loops before a message is translated and
    // dispatched; true swallows it. See PreTranslateWindowMessage.
    virtual bool PreTranslateMessage(MSG& msg);

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text);
    HFONT GetFont() const;
    void SetFont(HFONT font, bool redraw = true);
    DWORD GetStyle() const;
    void ModifyStyle(DWORD remove, DWORD add);
    RECT GetClientRect() const;
    // The window rectangle in its parent's client coordinates (screen
    // coordinates for a top-level window).
    RECT GetRectInParent() const;
    void Invalidate(bool erase = true);

protected:
    // The message handlers of a derived class: return true with the result
    // set when the message was handled; otherwise call the base class.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // A notification, owner-draw or WM_CTLCOLOR* message that this window
    // sent its parent, with the parent's message values.
    virtual bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Right after the object was attached to an existing window.
    virtual void OnSubclassed() {}
    // After the window is gone (WM_NCDESTROY); the object is detached.
    virtual void PostNcDestroy() {}

    // The previous window procedure's handling of the message.
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    // For windows that the object made through another call than CreateEx.
    void TakeOwnership() { m_owned = m_hWnd != nullptr; }
    // For an object that deletes itself when its window goes (from
    // PostNcDestroy): it is deleted once no message handler of this module
    // runs on the thread, so no handler further up the stack (its own or a
    // member's) is left with a deleted object.
    void DeleteWhenHandlersReturn();

private:
    class CHandlerScope;

    static LRESULT CALLBACK WindowProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool Attach(HWND hwnd, bool owned);
    void Detach();

    HWND m_hWnd = nullptr;
    WNDPROC m_previousProc = nullptr;
    bool m_owned = false;
    CWnd* m_nextToDelete = nullptr;
};

// The window rectangle in its parent's client coordinates (screen
// coordinates for a top-level window).
RECT GetRectInParent(HWND window);

// The window's whole text; empty for no window.
std::wstring WindowText(HWND window);

// Registers a window class of the calling module for windows that CWnd takes
// over after creation (its procedure is DefWindowProc until then). The
// module's address in the name keeps the classes of two modules that link
// this layer apart. Returns the name, empty when it cannot be registered.
std::wstring RegisterModuleWindowClass(const wchar_t* prefix, UINT style, int backgroundColor);

// A static control; its classes (links, pictures) add behaviour.
class CStatic : public CWnd {
public:
    bool Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, UINT id);
};
