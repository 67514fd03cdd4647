#pragma once
// CChartsDialog: the "Charts" tab of the editor view, a tab control with a
// page per chart kind. It makes the "Pie" page; the bar and line chart pages
// have their places here but no command of the editor makes them.

#include <memory>

#include "charteditor/ChartPage.h"

class CQuillonDoc;

class CChartsDialog : public CChartPage {
public:
    // Makes the window as a child of `parent` (the view's tab control); the
    // document is not owned.
    CChartsDialog(HWND parent, CQuillonDoc* document);
    ~CChartsDialog() override;

    // To the pie, bar and line chart pages, in that order, each while it has its window.
    void OnChartUpdate(CView* sender, LPARAM hint, void* object) override;

    CChartPage* PiePage() const { return m_pie.get(); }

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Layout(int width, int height);

    CQuillonDoc* m_document;
    HWND m_tabs = nullptr;
    std::unique_ptr<CChartPage> m_pie;
    std::unique_ptr<CChartPage> m_bar;
    std::unique_ptr<CChartPage> m_line;
};
