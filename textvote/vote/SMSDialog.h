#pragma once
// CSMSDialog: the text-vote page, a modeless child page of the chart editor
// (template 223). Its settings live in the chart document's `SMS` element
// and are written back after every change of a control. Start polls the
// vote service at once and then every two seconds (window timer 123) until
// Stop; each changed poll animates the scene and uploads its image (see
// VoteChart.h). The object deletes itself when its window goes.

#include <string>

#include "charteditor/ChartPage.h"
#include "platform/ui/DataExchange.h"
#include "textvote/vote/VoteChart.h"
#include "textvote/vote/VoteSettings.h"

class CQuillonDoc;

// The vote service the page asks until its url is set.
extern const wchar_t kDefaultVoteServiceUrl[];

class CSMSDialog : public CChartPage {
public:
    // Makes the window as a child of `parent`; the document is not owned.
    CSMSDialog(HWND parent, CQuillonDoc* document);

    // The document's update hints: "loaded" reads the settings again.
    void OnChartUpdate(CView* sender, LPARAM hint, void* object) override;
    // The chart the page drives (for its FTP port).
    CVoteChart& Chart() { return m_chart; }

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PostNcDestroy() override { DeleteWhenHandlersReturn(); }

private:
    void SetDefaults();
    void LoadSettings();
    void SaveSettings();
    void OnStart();
    void OnStop();
    void OnTimer(UINT_PTR id);
    // Controls to members, members to controls. A number that is no integer
    // is told only when the user's edit reads it: the polls read the
    // controls every two seconds.
    void ReadControls(BadInteger bad = BadInteger::Keep);
    void WriteControls();
    void EnableButtons(bool running);

    CQuillonDoc* m_document;
    VoteSettings m_settings;
    CVoteChart m_chart;
    bool m_running = false;
    bool m_ticking = false;
    bool m_loading = false;
};
