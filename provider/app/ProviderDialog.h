#pragma once
// CODBCProviderDlg: Scrivane's main window. The "Script" and "Log" pages in
// a tab control, the toolbar, the maker's logo and the request server.

#include <memory>

#include "common/about/VelmoraStatic.h"
#include "common/logwindow/LogDialog.h"
#include "common/toolbar/EditorToolbar.h"
#include "platform/ui/Dialog.h"
#include "provider/app/ScriptDialog.h"
#include "provider/server/SocketListener.h"

class CODBCProviderDlg : public CDialog {
public:
    CODBCProviderDlg();
    ~CODBCProviderDlg() override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void LayoutControls(int width, int height);
    void OnSetup();
    void LoadScriptAndServe();
    std::wstring CurrentScript();

    CSocketListener m_listener;
    HWND m_tabs = nullptr;
    CEditorToolbar m_toolbar;
    CVelmoraStatic m_logo;
    HICON m_icon = nullptr;  // a shared resource icon, never destroyed
    std::unique_ptr<CScriptDialog> m_scriptPage;
    std::unique_ptr<CLogDialog> m_logPage;
};

// The program file's version, "1.1.0.9" from its FileVersion "1, 1, 0, 9",
// and its copyright line, the one the About box shows. Both empty without a
// version block.
void GetModuleVersion(std::wstring& version, std::wstring& copyright);
