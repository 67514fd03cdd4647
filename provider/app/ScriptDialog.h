#pragma once
// CScriptDialog: the "Script" page. Its editor holds the provider script
// that every request runs, saved or not.

#include <string>

#include "common/editor/ScintillaCtrl.h"
#include "platform/ui/Dialog.h"

class CScriptDialog : public CDialog {
public:
    // Made at once as a hidden child of the tab control.
    explicit CScriptDialog(HWND tabControl);
    ~CScriptDialog() override;

    std::wstring GetScriptText();
    void SetScriptText(const std::wstring& text);

    // The toolbar's commands.
    void ClearScript();
    void OpenScript();
    void SaveScript();
    void TestScript();

    void LoadStartupScript();
    void LoadScriptFile(const std::wstring& path);

    bool PreTranslateMessage(MSG& msg) override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CScintillaCtrl m_editor;
};
