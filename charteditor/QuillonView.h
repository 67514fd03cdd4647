#pragma once
// CQuillonView: the editor's view, a form with the tabs "Charts" (the chart
// pages) and "Log" (the control's log while the editor is open). It passes
// the document's updates on to the Charts page and to a text-vote page when
// one is attached (no command of the editor attaches one).

#include <memory>

#include "platform/ui/FormView.h"

class CChartPage;
class CChartsDialog;
class CLogDialog;
class CQuillonDoc;

class CQuillonView : public CFormView {
public:
    CQuillonView();
    ~CQuillonView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, void* object) override;

    // The page is not owned; it is told of updates while it has its window.
    void AttachTextVotePage(CChartPage* page);

    CQuillonDoc* GetQuillonDoc() const;
    HWND Tabs() const { return m_tabs; }
    CChartsDialog* ChartsPage() const { return m_charts.get(); }
    CLogDialog* LogPage() const { return m_log.get(); }

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Layout(int width, int height);

    HWND m_tabs = nullptr;
    std::unique_ptr<CChartsDialog> m_charts;
    std::unique_ptr<CLogDialog> m_log;
    CChartPage* m_textVote = nullptr;
    HWND m_textVoteWindow = nullptr;
};
