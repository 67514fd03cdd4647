// The text-vote chart on the simulated host, against the stand-in vote
// service and a real FTP server.
#include "textvote/vote/test/VoteTestSupport.h"  // first: winsock2.h before windows.h

#include <algorithm>
#include <functional>

#include "base/text/TextConversion.h"

namespace {

std::vector<std::wstring> Messages(CLogPageStandIn& log)
{
    std::vector<std::wstring> messages;
    for (const std::wstring& line : log.TakeLines())
        messages.push_back(LogMessageOf(line));
    return messages;
}

// The poll's temporary pages left in the temporary folder.
int TemporaryPages()
{
    wchar_t folder[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, folder);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((std::wstring(folder) + L"MVT*.html").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do
        ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

class VoteChartTest : public VoteSceneFixture {
protected:
    VoteChartTest() : chart([this] { return host.Application(); }, [this] { return settings; })
    {
        chart.SetFtpPort(PortSetting(L"FTP_PEER_PORT"));
        DeleteFileW(kVoteImagePath);
        DeleteFileW(ServedPath(L"votes.jpg").c_str());
    }
    void StartAt(const SYSTEMTIME& now) { ASSERT_TRUE(chart.Start(now)); }
    void Start() { StartAt(MakeLocalTime(2026, 12, 10, 9, 5, 0, 0)); }
    // One tick on `page`; the host's call log starts afresh.
    void TickOn(const std::string& page, int status = 200)
    {
        AnswerVotes(page, status);
        host.ClearLog();
        log.TakeLines();
        chart.Tick();
    }

    CVoteChart chart;
};

}  // namespace

TEST_F(VoteChartTest, TheFirstTickAsksForTheCampaignSinceStartAndUpdatesEvenWithoutVotes)
{
    StartAt(MakeLocalTime(2026, 3, 4, 5, 6, 7, 0));
    const size_t before = VoteRequests().size();
    TickOn("<html>no votes yet</html>");
    const std::vector<std::string> requests = VoteRequests();
    ASSERT_EQ(before + 1, requests.size());
    EXPECT_EQ(0u, requests.back().find("GET /listtextmsgstats.php?campaignid=755&starttime=20260304050607"
                                       "&endtime=20991231235959&maxvotes=all&reversesort=false&unique="))
        << requests.back();
    const std::vector<std::wstring> messages = Messages(log);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(0u, messages[0].find(L"Connectiong To: " + settings.url + L"/listtextmsgstats.php?campaignid=755&"));
    EXPECT_EQ(L"0 %", Text(L"PERCENT1"));
    EXPECT_EQ(0.5, Key(L"BAR1", 25, kYScale));
    EXPECT_EQ(1, host.CallCount(L"Image", L"Save"));
    EXPECT_EQ(1, host.CallCount(L"Scene", L"Play"));
}

TEST_F(VoteChartTest, ChangedVotesMoveTheKeyframesWithinTheRangeTheyHadAtStart)
{
    Start();
    TickOn(VotePage(40, 35, 25));
    EXPECT_EQ((VoteValues{40, 35, 25, 0, 0, 0, 0, 0, 0, 0}), chart.Shown());
    EXPECT_DOUBLE_EQ(0.5, Key(L"BAR1", 0, kYScale));
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.40, Key(L"BAR1", 25, kYScale));
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.25, Key(L"BAR3", 25, kYScale));
    EXPECT_DOUBLE_EQ(-1 + 4 * 0.35, Key(L"PERCENT2", 25, kXPos));
    EXPECT_EQ(L"40 %", Text(L"PERCENT1"));
    EXPECT_EQ(L"35 %", Text(L"PERCENT2"));
    EXPECT_EQ(L"25 %", Text(L"PERCENT3"));

    // From 40 to 41 % within the original 0.5 ... 2.5, not within what the last update left.
    TickOn(VotePage(41, 35, 24));
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.40, Key(L"BAR1", 0, kYScale));
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.41, Key(L"BAR1", 25, kYScale));
    // A falling value keeps the low keyframe where it was.
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.25, Key(L"BAR3", 0, kYScale));
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.24, Key(L"BAR3", 25, kYScale));
    EXPECT_EQ(L"41 %", Text(L"PERCENT1"));

    // A restart animates from 0 again, within the same range.
    Start();
    TickOn(VotePage(20, 35, 24));
    EXPECT_DOUBLE_EQ(0.5, Key(L"BAR1", 0, kYScale));
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.20, Key(L"BAR1", 25, kYScale));
}

TEST_F(VoteChartTest, TheImageOfEveryUpdateArrivesWholeAndNoOtherTickUploads)
{
    Start();
    const size_t earlier = ServerCommandLog().size();
    TickOn(VotePage(40, 35, 25));
    bool stored = false;
    const std::string uploaded = ReadBytes(ServedPath(L"votes.jpg"), &stored);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(uploaded == SimImageBytes(Image(), L"scale400X300"));
    EXPECT_TRUE(uploaded == ReadBytes(kVoteImagePath));
    EXPECT_TRUE(Image().usePBuffer);
    EXPECT_EQ(L"Votes", scene.name);
    EXPECT_EQ(scene.animationLength, host.Canvas().frame);
    std::vector<std::string> commands = ServerCommandLog();
    ASSERT_EQ(earlier + 8, commands.size());
    commands.erase(commands.begin(), commands.begin() + earlier);
    EXPECT_EQ(0u, commands[5].find("PORT 127,0,0,1,")) << commands[5];
    commands[5] = "PORT";
    // Deleted first, then stored whole: never resumed onto what survived.
    EXPECT_EQ((std::vector<std::string>{"USER " + WideToNarrow(settings.ftpUsername, CP_UTF8), "PASS " +
                                        WideToNarrow(settings.ftpPassword, CP_UTF8), "CWD /", "DELE votes.jpg",
                                        "TYPE I", "PORT", "STOR votes.jpg", "QUIT"}),
              commands);

    // The same answer again: asked for, but nothing moves and nothing is sent.
    const size_t requests = VoteRequests().size();
    TickOn(VotePage(40, 35, 25));
    EXPECT_EQ(requests + 1, VoteRequests().size());
    EXPECT_EQ(0, host.CallCount(L"KeyFrames", L"Add"));
    EXPECT_EQ(0, host.CallCount(L"Image", L"Save"));
    EXPECT_EQ(0, host.CallCount(L"Scene", L"Play"));
    EXPECT_EQ(earlier + 8, ServerCommandLog().size());

    // A new size comes with the next change.
    settings.imageWidth = 1920;
    settings.imageHeight = 1080;
    TickOn(VotePage(41, 35, 24));
    EXPECT_TRUE(ReadBytes(ServedPath(L"votes.jpg")) == SimImageBytes(Image(), L"scale1920X1080"));
}

TEST_F(VoteChartTest, ItemsBeyondTheFourRowsTriggerOneUpdateOnly)
{
    Start();
    TickOn("<p>a: 10</p><p>b: 20</p><p>c: 30</p><p>d: 40</p><p>e: 50</p><p>f: 60</p>");
    TickOn("<p>a: 10</p><p>b: 20</p><p>c: 30</p><p>d: 40</p><p>e: 50</p><p>f: 61</p>");
    EXPECT_EQ(1, host.CallCount(L"Image", L"Save"));
    TickOn("<p>a: 10</p><p>b: 20</p><p>c: 30</p><p>d: 40</p><p>e: 50</p><p>f: 61</p>");
    EXPECT_EQ(0, host.CallCount(L"Image", L"Save")) << "all ten values count as shown";
}

TEST_F(VoteChartTest, AFailedDownloadLogsTheErrorAndChangesNothing)
{
    struct Case {
        const char* name;
        std::wstring url;
        int status;
        bool requested;
        std::string page;  // empty: an error page of the status
        const wchar_t* reason;  // a line logged before the failure's, when there is one
    };
    // Items the chart would take, were it to read so far.
    const std::string overLarge = VotePage(1, 2, 3) + std::string(1024 * 1024, ' ');
    const Case cases[] = {
        {"server error page", settings.url, 500, true, "", nullptr},
        {"not found page", settings.url, 404, true, "", nullptr},
        {"nobody listening", L"http://127.0.0.1:1", 200, false, "", nullptr},
        {"line break in the url", settings.url + L"/x\r\nHost: elsewhere", 200, false, "", nullptr},
        {"a page over 1 MB", settings.url, 200, true, overLarge,
         L"Error: The answer of the Voxtally server is over 1048576 bytes; it is ignored"},
    };
    const std::wstring serviceUrl = settings.url;
    const int pages = TemporaryPages();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.url = serviceUrl;
        Start();
        TickOn(VotePage(40, 35, 25));
        settings.url = c.url;
        const size_t requests = VoteRequests().size();
        TickOn(c.page.empty() ? "<p>Error: " + std::to_string(c.status) + "</p>" : c.page, c.status);
        EXPECT_EQ(requests + (c.requested ? 1 : 0), VoteRequests().size());
        const std::vector<std::wstring> messages = Messages(log);
        if (c.reason) {
            EXPECT_TRUE(std::count(messages.begin(), messages.end(), c.reason) == 1);
        }
        EXPECT_TRUE(std::count(messages.begin(), messages.end(),
                               L"Error: Failure getting data from Voxtally server") == 1);
        EXPECT_EQ((VoteValues{40, 35, 25, 0, 0, 0, 0, 0, 0, 0}), chart.Current());
        EXPECT_EQ(0, host.CallCount(L"KeyFrames", L"Add"));
        EXPECT_EQ(0, host.CallCount(L"Image", L"Save"));
        EXPECT_EQ(pages, TemporaryPages());
    }
}

TEST_F(VoteChartTest, NoPollLeavesItsPageInTheTemporaryFolder)
{
    const int pages = TemporaryPages();
    Start();
    TickOn(VotePage(1, 2, 3));
    EXPECT_EQ(pages, TemporaryPages());
    TickOn("", 503);
    EXPECT_EQ(pages, TemporaryPages());
}

TEST_F(VoteChartTest, AnImageThatWasNotSavedIsNeverUploaded)
{
    ASSERT_TRUE(WriteBytes(kVoteImagePath, "an image of an earlier run"));
    Image().saveFails = true;
    Start();
    const size_t commands = ServerCommandLog().size();
    TickOn(VotePage(40, 35, 25));
    EXPECT_EQ(1, host.CallCount(L"Image", L"Save"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(kVoteImagePath)) << "the old image is deleted first";
    EXPECT_EQ(commands, ServerCommandLog().size()) << "nothing went to the FTP server";
    const std::vector<std::wstring> messages = Messages(log);
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(std::wstring::npos, messages.back().find(L"was not saved")) << messages.back();
}

TEST_F(VoteChartTest, AnUploadThatFailsIsLoggedWithItsReason)
{
    struct Case {
        const char* name;
        std::function<void()> spoil;
        const wchar_t* reason;
    };
    const Case cases[] = {
        {"a refused logon", [&] { settings.ftpPassword = L"not the password"; }, L"530"},
        {"nobody at the port", [&] { chart.SetFtpPort(1); }, L"Connect error"},
    };
    int votes = 40;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.spoil();
        Start();
        TickOn(VotePage(votes++, 35, 25));
        EXPECT_EQ(1, host.CallCount(L"Image", L"Save"));
        const std::vector<std::wstring> messages = Messages(log);
        ASSERT_FALSE(messages.empty());
        EXPECT_NE(std::wstring::npos, messages.back().find(L"Error: The image C:\\voting.jpg was not uploaded to "
                                                           L"127.0.0.1 as votes.jpg: "))
            << messages.back();
        EXPECT_NE(std::wstring::npos, messages.back().find(c.reason)) << messages.back();
    }
}

TEST_F(VoteChartTest, RowsFollowTheirSettings)
{
    settings.bars[3] = L"BAR4";
    settings.texts[3] = L"PERCENT4";
    settings.barChannels[3] = L"yscale";
    settings.textChannels[3] = L"XPOS";
    settings.bar4IsMax = 1;
    settings.texts[1] = L"";                 // no text 2
    settings.textChannels[2] = L" ";         // text 3 is written but does not move
    settings.ftpEnable = 0;
    Start();
    TickOn(VotePage(40, 35, 25));
    EXPECT_DOUBLE_EQ(0.5 + 2 * 0.40, Key(L"BAR4", 25, kYScale));
    EXPECT_DOUBLE_EQ(-1 + 4 * 0.40, Key(L"PERCENT4", 25, kXPos));
    EXPECT_EQ(L"0 %", Text(L"PERCENT4")) << "text 4 shows its own value";
    EXPECT_EQ(L"", Text(L"PERCENT2"));
    EXPECT_DOUBLE_EQ(3, Key(L"PERCENT2", 25, kXPos));
    EXPECT_EQ(L"25 %", Text(L"PERCENT3"));
    EXPECT_DOUBLE_EQ(3, Key(L"PERCENT3", 25, kXPos));
    EXPECT_EQ(0, host.CallCount(L"Image", L"Save"));
    EXPECT_EQ(1, host.CallCount(L"Scene", L"Play"));
}

TEST_F(VoteChartTest, NoCanvasNoStartAndNoSceneNoChange)
{
    host.SetActiveCanvas(-1);
    EXPECT_FALSE(chart.Start(SYSTEMTIME{}));
    host.SetActiveCanvas(0);
    Start();
    TickOn(VotePage(40, 35, 25));
    host.SetActiveCanvas(-1);
    TickOn(VotePage(50, 35, 25));
    EXPECT_EQ((VoteValues{40, 35, 25, 0, 0, 0, 0, 0, 0, 0}), chart.Shown()) << "the next tick tries again";
    host.SetActiveCanvas(0);
    TickOn(VotePage(50, 35, 25));
    EXPECT_EQ(L"50 %", Text(L"PERCENT1"));
}
