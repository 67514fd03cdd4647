#include "textvote/vote/SMSDialog.h"

#include <exception>

#include "chartcontrol/ControlLog.h"
#include "chartcontrol/QuillonDoc.h"
#include "platform/ui/UserPrompts.h"
#include "textvote/vote/SMSDialogIds.h"

const wchar_t kDefaultVoteServiceUrl[] = L"http://127.0.0.1:8000";

namespace {

constexpr UINT_PTR kPollTimer = 123;
constexpr UINT kPollIntervalMs = 2000;

// One text setting: its attribute, its control, its member and its default.
struct TextField {
    const wchar_t* attribute;
    int control;
    std::wstring& (*member)(VoteSettings&);
    const wchar_t* defaultValue;
    bool isChannel;  // an attribute combo box: empty means " "
};

#define FIELD(expr) [](VoteSettings& s) -> std::wstring& { return s.expr; }
const TextField kTextFields[] = {
    {L"url", IDC_SMS_URL, FIELD(url), kDefaultVoteServiceUrl, false},
    {L"campaignid", IDC_SMS_CAMPAIGN, FIELD(campaignId), L"755", false},
    {L"bar1", IDC_SMS_BAR1, FIELD(bars[0]), L"BAR1", false},
    {L"bar2", IDC_SMS_BAR2, FIELD(bars[1]), L"BAR2", false},
    {L"bar3", IDC_SMS_BAR3, FIELD(bars[2]), L"BAR3", false},
    {L"bar4", IDC_SMS_BAR4, FIELD(bars[3]), L"", false},
    {L"text1", IDC_SMS_TEXT1, FIELD(texts[0]), L"PERCENT1", false},
    {L"text2", IDC_SMS_TEXT2, FIELD(texts[1]), L"PERCENT2", false},
    {L"text3", IDC_SMS_TEXT3, FIELD(texts[2]), L"PERCENT3", false},
    {L"text4", IDC_SMS_TEXT4, FIELD(texts[3]), L"", false},
    {L"bar1attrib", IDC_SMS_BAR1_ATTRIB, FIELD(barChannels[0]), L"YScale", true},
    {L"bar2attrib", IDC_SMS_BAR2_ATTRIB, FIELD(barChannels[1]), L"YScale", true},
    {L"bar3attrib", IDC_SMS_BAR3_ATTRIB, FIELD(barChannels[2]), L"YScale", true},
    {L"bar4attrib", IDC_SMS_BAR4_ATTRIB, FIELD(barChannels[3]), L" ", true},
    {L"text1attrib", IDC_SMS_TEXT1_ATTRIB, FIELD(textChannels[0]), L"XPos", true},
    {L"text2attrib", IDC_SMS_TEXT2_ATTRIB, FIELD(textChannels[1]), L"XPos", true},
    {L"text3attrib", IDC_SMS_TEXT3_ATTRIB, FIELD(textChannels[2]), L"XPos", true},
    {L"text4attrib", IDC_SMS_TEXT4_ATTRIB, FIELD(textChannels[3]), L" ", true},
    {L"ftpServer", IDC_SMS_FTP_SERVER, FIELD(ftpServer), L" ", false},
    {L"ftpUsername", IDC_SMS_FTP_USERNAME, FIELD(ftpUsername), L" ", false},
    {L"ftpPassword", IDC_SMS_FTP_PASSWORD, FIELD(ftpPassword), L" ", false},
    {L"ftpFile", IDC_SMS_FTP_FILE, FIELD(ftpFile), L" ", false},
};
#undef FIELD

// One whole-number setting: a check box (0/1) or a digits-only edit.
struct IntField {
    const wchar_t* attribute;
    int control;
    int VoteSettings::*member;
    int defaultValue;
    bool isCheckBox;
};

const IntField kIntFields[] = {
    {L"bar4IsSum", IDC_SMS_BAR4_IS_MAX, &VoteSettings::bar4IsMax, 0, true},
    {L"ftpEnable", IDC_SMS_FTP_ENABLE, &VoteSettings::ftpEnable, 0, true},
    {L"imageWidth", IDC_SMS_IMAGE_WIDTH, &VoteSettings::imageWidth, 400, false},
    {L"imageHeight", IDC_SMS_IMAGE_HEIGHT, &VoteSettings::imageHeight, 300, false},
};

const wchar_t* const kChannelNames[] = {L" ", L"XPos", L"YPos", L"XScale", L"YScale"};

bool SavesOnCommand(int control, int code)
{
    switch (code) {
    case EN_CHANGE:
        return control == IDC_SMS_URL || control == IDC_SMS_CAMPAIGN ||
               (control >= IDC_SMS_BAR1 && control <= IDC_SMS_TEXT4) || control == IDC_SMS_FTP_SERVER ||
               control == IDC_SMS_FTP_FILE || (control >= IDC_SMS_FTP_USERNAME && control <= IDC_SMS_IMAGE_HEIGHT);
    case BN_CLICKED:
        return control == IDC_SMS_BAR4_IS_MAX || control == IDC_SMS_FTP_ENABLE;
    case CBN_SELCHANGE:
        return control == IDC_SMS_BAR1_ATTRIB ||
               (control >= IDC_SMS_BAR2_ATTRIB && control <= IDC_SMS_TEXT4_ATTRIB);
    default:
        return false;
    }
}

}  // namespace

CSMSDialog::CSMSDialog(HWND parent, CQuillonDoc* document)
    : CChartPage(IDD_SMS_PAGE, parent),
      m_document(document),
      m_chart([this] { return m_document ? m_document->GetApplication() : nullptr; },
              [this] {
                  ReadControls();
                  return m_settings;
              })
{
    SetDefaults();
    Create();
}

void CSMSDialog::OnChartUpdate(CView*, LPARAM hint, void*)
{
    if (hint == kHintLoaded)
        LoadSettings();
}

BOOL CSMSDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const TextField& field : kTextFields)
        if (field.isChannel)
            for (const wchar_t* name : kChannelNames)
                ::SendDlgItemMessageW(GetSafeHwnd(), field.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    EnableButtons(false);
    // A page made after its document was loaded shows what the document holds;
    // otherwise its first edit would write the defaults over it.
    LoadSettings();
    return TRUE;
}

bool CSMSDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_TIMER) {
        OnTimer(wParam);
        result = 0;
        return true;
    }
    if (msg == WM_COMMAND) {
        const int control = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (control == IDC_SMS_START && code == BN_CLICKED) {
            OnStart();
            return true;
        }
        if (control == IDC_SMS_STOP && code == BN_CLICKED) {
            OnStop();
            return true;
        }
        if (SavesOnCommand(control, code)) {
            SaveSettings();
            return true;
        }
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}

void CSMSDialog::SetDefaults()
{
    for (const TextField& field : kTextFields)
        field.member(m_settings) = field.defaultValue;
    for (const IntField& field : kIntFields)
        m_settings.*field.member = field.defaultValue;
}

void CSMSDialog::LoadSettings()
{
    CXmlNodePtr root = m_document ? m_document->GetRoot() : nullptr;
    if (!root) {
        ShowMessageBox(GetSafeHwnd(), L"Error retreiving document on load");
        return;
    }
    if (CXmlNodePtr sms = CXmlNodePtr::Adopt(root->FindChild(L"SMS", 0))) {
        for (const TextField& field : kTextFields) {
            std::wstring value;
            sms->GetAttributeString(field.attribute, value);
            field.member(m_settings) = value;
        }
        for (const IntField& field : kIntFields)
            sms->GetAttributeInt(field.attribute, m_settings.*field.member);
    } else {
        SetDefaults();
    }
    for (const TextField& field : kTextFields)
        if (field.isChannel && field.member(m_settings).empty())
            field.member(m_settings) = L" ";
    WriteControls();
}

void CSMSDialog::SaveSettings()
{
    if (m_loading)
        return;
    ReadControls(BadInteger::Tell);
    CXmlNodePtr root = m_document ? m_document->GetRoot() : nullptr;
    if (!root) {
        ShowMessageBox(GetSafeHwnd(), L"Error retreiving document on save");
        return;
    }
    CXmlNodePtr sms = CXmlNodePtr::Adopt(root->FindChild(L"SMS", 0));
    if (!sms)
        sms = CXmlNodePtr(new CXmlNode(root.Get(), L"SMS"));  // the root holds its creation reference
    for (const TextField& field : kTextFields)
        sms->SetAttribute(field.attribute, field.member(m_settings).c_str());
    for (const IntField& field : kIntFields)
        sms->SetAttributeInt(field.attribute, m_settings.*field.member);
    sms.Reset();
    root.Reset();
    m_document->SaveDocument();
}

void CSMSDialog::OnStart()
{
    if (m_running)
        return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    if (!m_chart.Start(now))
        return;
    m_running = true;
    EnableButtons(true);
    OnTimer(kPollTimer);
}

void CSMSDialog::OnStop()
{
    // A click can arrive while Stop is disabled; only a running page stops.
    if (!m_running)
        return;
    m_running = false;
    KillTimer(GetSafeHwnd(), kPollTimer);
    EnableButtons(false);
}

void CSMSDialog::OnTimer(UINT_PTR id)
{
    // A tick already running is not entered again from a message it pumps.
    if (id != kPollTimer || m_ticking)
        return;
    KillTimer(GetSafeHwnd(), kPollTimer);
    // The next tick comes two seconds after this one ends, however it ends,
    // unless Stop came meanwhile or the window went.
    struct Rearm {
        CSMSDialog& page;
        ~Rearm()
        {
            page.m_ticking = false;
            if (page.m_running && page.GetSafeHwnd())
                SetTimer(page.GetSafeHwnd(), kPollTimer, kPollIntervalMs, nullptr);
        }
    } rearm{*this};
    m_ticking = true;
    try {
        m_chart.Tick();
    } catch (const std::exception& e) {
        PostLogLine(L"Error: %hs", e.what());
    }
}

void CSMSDialog::ReadControls(BadInteger bad)
{
    if (!GetSafeHwnd())
        return;
    for (const TextField& field : kTextFields)
        field.member(m_settings) = GetItemText(field.control);
    for (const IntField& field : kIntFields) {
        if (field.isCheckBox) {
            m_settings.*field.member = GetCheck(GetSafeHwnd(), field.control) ? 1 : 0;
            continue;
        }
        GetControlInt(GetSafeHwnd(), field.control, m_settings.*field.member, bad);
    }
}

void CSMSDialog::WriteControls()
{
    if (!GetSafeHwnd())
        return;
    // Each text put into a control reports a change, which would save the
    // half-filled page over the document.
    CLoadingGuard loading(m_loading);
    for (const TextField& field : kTextFields) {
        const std::wstring& value = field.member(m_settings);
        if (field.isChannel) {
            const HWND combo = GetItem(field.control);
            const LRESULT found = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(value.c_str()));
            ::SendMessageW(combo, CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : found, 0);
        } else {
            SetItemText(field.control, value);
        }
    }
    for (const IntField& field : kIntFields) {
        if (field.isCheckBox)
            SetCheck(GetSafeHwnd(), field.control, m_settings.*field.member != 0);
        else
            SetControlInt(GetSafeHwnd(), field.control, m_settings.*field.member);
    }
}

void CSMSDialog::EnableButtons(bool running)
{
    EnableWindow(GetItem(IDC_SMS_START), !running);
    EnableWindow(GetItem(IDC_SMS_STOP), running);
}
