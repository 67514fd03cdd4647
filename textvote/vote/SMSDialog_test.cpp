// The text-vote page on the simulated host, against the stand-in vote
// service and a real FTP server.
#include "textvote/vote/test/VoteTestSupport.h"  // first: winsock2.h before windows.h

#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/QuillonIds.h"
#include "base/win/UniqueHandle.h"
#include "platform/ui/UserPrompts.h"
#include "testing/uitest/HintRecordingView.h"
#include "testing/uitest/PumpUntil.h"
#include "textvote/vote/SMSDialog.h"
#include "textvote/vote/SMSDialogIds.h"

namespace {

// Polls come two seconds apart; a wait for several of them may take this long.
constexpr DWORD kSeveralPollsMs = 30000;

class SMSDialogTest : public VoteSceneFixture {
protected:
    SMSDialogTest()
        : parent(CreateWindowExW(0, L"STATIC", L"editor", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                 nullptr, nullptr))
    {
        host.DeclareProperty({kPlotvanePropertyGroup, L"Data", 0, L"", {L"LyricGlobalLight"}, L""});
        doc.SetApplication(host.Application());
        doc.AddView(&view);
        DeleteFileW(kVoteImagePath);
    }
    ~SMSDialogTest() override
    {
        if (page && IsWindow(window))
            DestroyWindow(window);  // the page deletes itself
    }

    void MakePage()
    {
        page = new CSMSDialog(parent.Get(), &doc);
        window = page->GetSafeHwnd();
        ASSERT_TRUE(window);
        page->Chart().SetFtpPort(PortSetting(L"FTP_PEER_PORT"));
    }
    // The page pointed at the stand-ins, as a user would type it.
    void PointAtTheStandIns()
    {
        Type(IDC_SMS_URL, settings.url);
        Type(IDC_SMS_FTP_SERVER, L"127.0.0.1");
        Type(IDC_SMS_FTP_USERNAME, settings.ftpUsername);
        Type(IDC_SMS_FTP_PASSWORD, settings.ftpPassword);
        Type(IDC_SMS_FTP_FILE, L"votes.jpg");
        SendDlgItemMessageW(window, IDC_SMS_FTP_ENABLE, BM_CLICK, 0, 0);
    }
    void Type(int control, const std::wstring& text) { SetDlgItemTextW(window, control, text.c_str()); }
    std::wstring ControlText(int control)
    {
        wchar_t text[512] = {};
        GetDlgItemTextW(window, control, text, 512);
        return text;
    }
    void Click(int control) { SendDlgItemMessageW(window, control, BM_CLICK, 0, 0); }
    bool Enabled(int control) { return IsWindowEnabled(GetDlgItem(window, control)) != FALSE; }
    // KillTimer fails for a timer that is not armed.
    bool PollArmed() { return KillTimer(window, 123) != FALSE && SetTimer(window, 123, 2000, nullptr) != 0; }
    std::wstring Stored(const wchar_t* attribute)
    {
        CXmlNodePtr root = doc.GetRoot();
        CXmlNodePtr sms = CXmlNodePtr::Adopt(root->FindChild(L"SMS", 0));
        std::wstring value = L"<none>";
        if (sms)
            sms->GetAttributeString(attribute, value);
        return value;
    }

    CQuillonDoc doc;
    HintRecordingView view;
    UniqueWindow parent;
    CSMSDialog* page = nullptr;
    HWND window = nullptr;
};

}  // namespace

TEST_F(SMSDialogTest, ANewPageShowsTheDefaultsAndSavesNothing)
{
    MakePage();
    struct Case { int control; const wchar_t* text; };
    const Case cases[] = {
        {IDC_SMS_URL, kDefaultVoteServiceUrl}, {IDC_SMS_CAMPAIGN, L"755"},    {IDC_SMS_BAR1, L"BAR1"},
        {IDC_SMS_BAR4, L""},                   {IDC_SMS_TEXT3, L"PERCENT3"}, {IDC_SMS_BAR1_ATTRIB, L"YScale"},
        {IDC_SMS_BAR4_ATTRIB, L" "},           {IDC_SMS_TEXT1_ATTRIB, L"XPos"}, {IDC_SMS_FTP_PASSWORD, L" "},
        {IDC_SMS_IMAGE_WIDTH, L"400"},         {IDC_SMS_IMAGE_HEIGHT, L"300"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, ControlText(c.control)) << c.control;
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(window, IDC_SMS_FTP_ENABLE));
    EXPECT_TRUE(Enabled(IDC_SMS_START));
    EXPECT_FALSE(Enabled(IDC_SMS_STOP));
    EXPECT_TRUE(view.hints.empty()) << "filling the controls saved the document";
    EXPECT_EQ(L"<none>", Stored(L"url"));
}

TEST_F(SMSDialogTest, LoadedSettingsReachTheControlsIntactAndEveryEditSavesThemAll)
{
    MakePage();
    {
        CXmlNodePtr root = doc.GetRoot();
        CXmlNode* sms = new CXmlNode(root.Get(), L"SMS");
        sms->SetAttribute(L"url", L"http://votes.example");
        sms->SetAttribute(L"bar1", L"Left");
        sms->SetAttribute(L"bar2attrib", L"");
        sms->SetAttribute(L"text1attrib", L"YPos");
        sms->SetAttribute(L"imageWidth", L"640");
        sms->SetAttribute(L"ftpEnable", L"1");
    }
    page->OnChartUpdate(nullptr, kHintLoaded, nullptr);
    EXPECT_TRUE(view.hints.empty()) << "loading saved the document";
    EXPECT_EQ(L"", Stored(L"bar2attrib"));
    EXPECT_EQ(L"http://votes.example", ControlText(IDC_SMS_URL));
    EXPECT_EQ(L"Left", ControlText(IDC_SMS_BAR1));
    EXPECT_EQ(L"", ControlText(IDC_SMS_CAMPAIGN)) << "a missing text attribute is empty";
    EXPECT_EQ(L" ", ControlText(IDC_SMS_BAR2_ATTRIB));
    EXPECT_EQ(L"YPos", ControlText(IDC_SMS_TEXT1_ATTRIB));
    EXPECT_EQ(L"640", ControlText(IDC_SMS_IMAGE_WIDTH));
    EXPECT_EQ(L"300", ControlText(IDC_SMS_IMAGE_HEIGHT)) << "a missing number keeps its value";
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(window, IDC_SMS_FTP_ENABLE));

    Type(IDC_SMS_CAMPAIGN, L"9");
    EXPECT_EQ((std::vector<int>{kHintSaving, kHintSaved}), view.hints);
    EXPECT_EQ(L"9", Stored(L"campaignid"));
    EXPECT_EQ(L"Left", Stored(L"bar1"));
    EXPECT_EQ(L" ", Stored(L"bar2attrib"));
    EXPECT_EQ(L"640", Stored(L"imageWidth"));
    EXPECT_EQ(L"1", Stored(L"ftpEnable"));
    EXPECT_EQ(L"0", Stored(L"bar4IsSum"));

    SendDlgItemMessageW(window, IDC_SMS_TEXT4_ATTRIB, CB_SETCURSEL, 3, 0);  // sorted: " ", XPos, XScale, YPos
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_SMS_TEXT4_ATTRIB, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_SMS_TEXT4_ATTRIB)));
    EXPECT_EQ(L"YPos", Stored(L"text4attrib"));
    Click(IDC_SMS_BAR4_IS_MAX);
    EXPECT_EQ(L"1", Stored(L"bar4IsSum"));
}

// The user's edit is told of a number that is no integer and the rest is
// saved; the polls, which read the controls too, keep quiet.
TEST_F(SMSDialogTest, ANumberThatIsNoIntegerIsToldOnlyWhenTheUserEditsIt)
{
    MakePage();
    std::vector<std::wstring> messages;
    ScopedMessageBoxHandler boxes([&messages](HWND, const std::wstring& text, const std::wstring&, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    Type(IDC_SMS_IMAGE_WIDTH, L"64x");
    EXPECT_EQ(std::vector<std::wstring>{L"Please enter an integer."}, messages);
    EXPECT_EQ(L"400", Stored(L"imageWidth"));
    EXPECT_EQ(L"755", Stored(L"campaignid")) << "the other values are saved";
    Type(IDC_SMS_IMAGE_WIDTH, L"");
    EXPECT_EQ(1u, messages.size()) << "an emptied edit is a number being typed";

    PointAtTheStandIns();
    AnswerVotes(VotePage(40, 35, 25));
    Type(IDC_SMS_IMAGE_HEIGHT, L"3 0");
    messages.clear();
    Click(IDC_SMS_START);
    Click(IDC_SMS_STOP);
    EXPECT_EQ(std::vector<std::wstring>{}, messages) << "Start and its poll read the controls without a word";
}

TEST_F(SMSDialogTest, StartPollsAtOnceAndEveryTwoSecondsUntilStop)
{
    MakePage();
    PointAtTheStandIns();
    AnswerVotes(VotePage(40, 35, 25));
    const size_t before = VoteRequests().size();
    Click(IDC_SMS_START);
    EXPECT_EQ(before + 1, VoteRequests().size()) << "the first poll happens inside the click";
    EXPECT_EQ(L"40 %", Text(L"PERCENT1"));
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.40, Key(L"BAR1", 25, kYScale));
    EXPECT_TRUE(ReadBytes(ServedPath(L"votes.jpg")) == SimImageBytes(Image(), L"scale400X300"));
    EXPECT_FALSE(Enabled(IDC_SMS_START));
    EXPECT_TRUE(Enabled(IDC_SMS_STOP));

    AnswerVotes(VotePage(55, 30, 15));
    EXPECT_TRUE(PumpUntil([&] { return Text(L"PERCENT1") == L"55 %"; }, kSeveralPollsMs));
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.40, Key(L"BAR1", 0, kYScale));
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.55, Key(L"BAR1", 25, kYScale));
    EXPECT_TRUE(PumpUntil([&] { return VoteRequests().size() >= before + 4; }, kSeveralPollsMs));
    EXPECT_TRUE(PollArmed());

    Click(IDC_SMS_STOP);
    EXPECT_FALSE(PollArmed()) << "Stop leaves no poll armed";
    EXPECT_TRUE(Enabled(IDC_SMS_START));
    EXPECT_FALSE(Enabled(IDC_SMS_STOP));
    Click(IDC_SMS_STOP);  // Wine delivers the click to a disabled button too
    EXPECT_TRUE(Enabled(IDC_SMS_START));
}

TEST_F(SMSDialogTest, AStopDuringATickStaysStopped)
{
    MakePage();
    PointAtTheStandIns();
    AnswerVotes(VotePage(40, 35, 25));
    host.SetCallHook([&](const SimCallRecord& call) {
        if (call.className == L"Scene" && call.member == L"Play")
            Click(IDC_SMS_STOP);
    });
    Click(IDC_SMS_START);
    host.SetCallHook(nullptr);
    EXPECT_EQ(1, host.CallCount(L"Scene", L"Play"));
    EXPECT_FALSE(PollArmed());
    EXPECT_TRUE(Enabled(IDC_SMS_START));
    EXPECT_FALSE(Enabled(IDC_SMS_STOP));
}

TEST_F(SMSDialogTest, StartWithoutAnActiveCanvasDoesNothing)
{
    MakePage();
    PointAtTheStandIns();
    host.SetActiveCanvas(-1);
    const size_t before = VoteRequests().size();
    Click(IDC_SMS_START);
    EXPECT_EQ(before, VoteRequests().size());
    EXPECT_TRUE(Enabled(IDC_SMS_START));
    EXPECT_FALSE(Enabled(IDC_SMS_STOP));
    EXPECT_FALSE(PollArmed());
}

TEST_F(SMSDialogTest, ThePageMayGoDuringATick)
{
    MakePage();
    PointAtTheStandIns();
    AnswerVotes(VotePage(40, 35, 25));
    host.SetCallHook([&](const SimCallRecord& call) {
        if (call.className == L"Scene" && call.member == L"Play")
            DestroyWindow(window);
    });
    Click(IDC_SMS_START);
    host.SetCallHook(nullptr);
    EXPECT_FALSE(IsWindow(window));
    page = nullptr;
}
