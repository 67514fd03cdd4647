#pragma once
// CLogDialog: the "Log" page. A child dialog whose edit box shows the lines
// posted to it (WM_LOG_LINE), keeps about the last 200,000 characters and
// offers "Clear" and "Save". While it exists it is the program's log target.

#include "base/win/UniqueHandle.h"
#include "platform/ui/Dialog.h"

class CLogDialog : public CDialog {
public:
    // Makes the page at once as a (hidden) child of the parent.
    explicit CLogDialog(HWND parent);
    ~CLogDialog() override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    struct ButtonPlace {
        int left = 0;
        int fromBottom = 0; // client bottom minus the button's top
    };

    // Shows `first` and every line already posted after it in one edit.
    void AppendWaitingLines(const wchar_t* first);
    void Layout(int width, int height);
    void Save();
    std::wstring EditText() const;
    ButtonPlace PlaceOf(int id, int clientHeight) const;

    HWND m_edit = nullptr;
    UniqueFont m_font;
    int m_bottomMargin = 0;
    ButtonPlace m_clear;
    ButtonPlace m_save;
};
