#pragma once
// CDialog: a dialog made from a template in the module that holds the code
// (the DLL, not the host program), modeless with Create or modal with DoModal.
//
// How a dialog is written:
//
//     class CNameDialog : public CDialog {
//     public:
//         explicit CNameDialog(HWND parent) : CDialog(IDD_NAME, parent) {}
//         std::wstring name;
//     private:
//         CHyperLink m_link;                                     // a control object of its own
//     protected:
//         BOOL OnInitDialog() override {
//             m_link.SubclassDlgItem(IDC_LINK, GetSafeHwnd());   // a control with its own class
//             ::SetDlgItemTextW(GetSafeHwnd(), IDC_NAME, name.c_str());
//             return TRUE;                                       // focus to the first control
//         }
//         void OnOK() override {
//             name = GetItemText(IDC_NAME);
//             CDialog::OnOK();                                   // ends a modal dialog with IDOK
//         }
//         bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
//             if (msg == WM_SIZE) Layout(LOWORD(lp), HIWORD(lp)); // and on to the base
//             if (msg == WM_COMMAND && LOWORD(wp) == IDC_CLEAR) { Clear(); return true; }
//             return CDialog::OnMessage(msg, wp, lp, result);    // IDOK, IDCANCEL, default
//         }
//     };
//
//     CNameDialog dialog(owner);
//     if (dialog.DoModal() == IDOK) use(dialog.name);
//
// A modeless page calls Create() (in its constructor, say) and is destroyed
// with its object; a class whose WM_DESTROY handling or members the window
// still uses calls DestroyWindow() in its own destructor.
//
// The template lives in an .rc file of the same module. A modal dialog runs
// its own message loop that offers every message to the objects of the
// window chain (PreTranslateMessage), so keyboard handling and tooltips work
// even inside a host program that knows nothing of this layer.

#include "platform/ui/Module.h"
#include "platform/ui/Window.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr, HINSTANCE resources = CurrentModule());
    ~CDialog() override;

    // Modeless: the window is made now (shown when the template says so).
    bool Create();
    // Modeless, with `parent` in place of the constructor's.
    bool Create(HWND parent);
    // Modal: disables the owner, runs until EndDialog and returns its value;
    // -1 when the window could not be made.
    INT_PTR DoModal();
    // A modal dialog's loop ends with the result; a modeless one is hidden.
    void EndDialog(INT_PTR result);

    HWND GetItem(int id) const;
    std::wstring GetItemText(int id) const;
    void SetItemText(int id, const std::wstring& text);

    bool PreTranslateMessage(MSG& msg) override;

protected:
    // Once the window and its controls exist; TRUE lets the system set the
    // focus.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // For a window inside another (a page, a view) or one that only its own
    // command closes: Enter and Escape end nothing (in a modeless child the
    // dialog manager would turn them into IDOK/IDCANCEL and hide it), and
    // OnOK and OnCancel do nothing. Called from the constructor.
    void KeepOpenOnEnterAndEscape() { m_keepOpen = true; }
    // For WM_PAINT: while the window is minimised, draws `icon` centred and
    // answers true.
    bool PaintIconWhileMinimised(HICON icon);
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static INT_PTR CALLBACK StartProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool CreateFromTemplate(HWND parent);
    void RunModalLoop();

    UINT m_templateId;
    HWND m_parent;
    HINSTANCE m_resources;
    bool m_modal = false;
    bool m_endRequested = false;
    bool m_keepOpen = false;
    INT_PTR m_result = -1;
};
