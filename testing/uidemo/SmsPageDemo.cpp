#include "SmsPageDemo.h"

#include "DemoIds.h"
#include "chartcontrol/QuillonDoc.h"
#include "platform/ui/Dialog.h"
#include "testing/simhost/SimHost.h"
#include "textvote/vote/SMSDialog.h"

namespace {

// The window the editor would give the page.
class CDemoSmsWindow : public CDialog {
public:
    explicit CDemoSmsWindow(CQuillonDoc& document) : CDialog(IDD_DEMO_SMS), m_document(document) {}
    ~CDemoSmsWindow() override { DestroyWindow(); }

protected:
    BOOL OnInitDialog() override
    {
        // The page deletes itself with its window, a child of this one.
        CSMSDialog* page = new CSMSDialog(GetSafeHwnd(), &m_document);
        ::ShowWindow(page->GetSafeHwnd(), SW_SHOW);
        return TRUE;
    }

private:
    CQuillonDoc& m_document;
};

}  // namespace

bool ShowSmsPage()
{
    CSimHost host;
    host.AddScene(L"Votes");
    CQuillonDoc document;
    document.SetApplication(host.Application());
    {
        CXmlNodePtr root = document.GetRoot();
        CXmlNode* sms = new CXmlNode(root.Get(), L"SMS");
        const wchar_t* const settings[][2] = {
            {L"url", L"http://votes.example/voxtally"}, {L"campaignid", L"755"},  {L"bar1", L"BAR1"},
            {L"bar2", L"BAR2"},                          {L"bar3", L"BAR3"},      {L"bar4", L"BARMAX"},
            {L"text1", L"PERCENT1"},                     {L"text2", L"PERCENT2"}, {L"text3", L"PERCENT3"},
            {L"text4", L""},                             {L"bar1attrib", L"YScale"}, {L"bar2attrib", L"YScale"},
            {L"bar3attrib", L"YScale"},                  {L"bar4attrib", L"YScale"}, {L"text1attrib", L"XPos"},
            {L"text2attrib", L"XPos"},                   {L"text3attrib", L"XPos"},  {L"text4attrib", L" "},
            {L"ftpServer", L"ftp.example"},              {L"ftpUsername", L"studio"}, {L"ftpPassword", L"secret"},
            {L"ftpFile", L"votes.jpg"},                  {L"bar4IsSum", L"1"},       {L"ftpEnable", L"1"},
            {L"imageWidth", L"400"},                     {L"imageHeight", L"300"},
        };
        for (const auto& setting : settings)
            sms->SetAttribute(setting[0], setting[1]);
    }
    CDemoSmsWindow window(document);
    return window.DoModal() != -1;
}
