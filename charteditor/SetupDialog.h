#pragma once
// CSetupDialog: a child dialog holding the styles editor above two empty
// panes, in splitters the user can drag. The sizes the user left go to the
// host registry when it closes (they are not read back).

#include <memory>

#include "platform/ui/Dialog.h"
#include "platform/ui/Splitter.h"

class CQuillonDoc;
class CView;

class CSetupDialog : public CDialog {
public:
    // Makes the window now; the document is not owned and must outlive it.
    CSetupDialog(HWND parent, CQuillonDoc& document);
    ~CSetupDialog() override;

    CView* StylesView() const { return m_styles.get(); }

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void StoreSizes();

    CQuillonDoc& m_document;
    CxSplitterWnd m_outer;
    CxSplitterWnd m_inner;
    std::unique_ptr<CView> m_styles;
    std::unique_ptr<CView> m_lowerLeft;
    std::unique_ptr<CView> m_lowerRight;
};
