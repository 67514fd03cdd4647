// The real Scrivane.exe, started in a folder of its own and talked to over
// loopback from this separate process, as a chart control would.
#include "provider/server/test/ServerTestSupport.h"  // first: winsock2.h before windows.h

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/providerwire/ProviderFrame.h"
#include "base/win/UniqueHandle.h"
#include "common/xml/XmlNode.h"
#include "platform/net/WinsockRuntime.h"
#include "provider/app/test/ScrivaneProcess.h"
#include "provider/app/ScrivaneResources.h"
#include "provider/app/ThreadFailureExit.h"

namespace {

const wchar_t kTestScript[] =
    L"Sub GetHistorical(symbol, kind, interval, range1, range2, nodename)\r\n"
    L"  If symbol = \"BIG\" Then\r\n"
    L"    SetStatus String(1300000, \"x\")\r\n"
    L"  ElseIf symbol = \"FAIL\" Then\r\n"
    L"    SetStatus \"ok\"\r\n"
    L"    x = 1 / 0\r\n"
    L"  ElseIf symbol = \"CONTROL\" Then\r\n"
    L"    SetStatus \"a\" & Chr(1) & \"b\"\r\n"
    L"  ElseIf symbol = \"DEEP\" Then\r\n"
    L"    Deep 1\r\n"
    L"  ElseIf symbol = \"LOOP\" Then\r\n"
    L"    Do\r\n"
    L"      SetStatus \"ok\"\r\n"
    L"    Loop\r\n"
    L"  Else\r\n"
    L"    SetStatus symbol\r\n"
    L"    WriteLog \"served \" & nodename\r\n"
    L"  End If\r\n"
    L"End Sub\r\n"
    L"Sub Deep(n)\r\n"
    L"  Deep n + 1\r\n"
    L"End Sub\r\n";

std::string Request(const std::wstring& symbol, const wchar_t* sub = nullptr, bool withNodename = true,
                    const wchar_t* cmd = L"historical")
{
    CXmlNodePtr command = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"command"));
    command->SetAttribute(L"cmd", cmd);
    CXmlNode* params = new CXmlNode(command.Get(), L"params");
    params->SetAttribute(L"symbol", symbol.c_str());
    for (const wchar_t* name : {L"type", L"interval", L"range1", L"range2"})
        params->SetAttribute(name, L"x");
    if (withNodename)
        params->SetAttribute(L"nodename", L"Chart1");
    if (sub)
        params->SetAttribute(L"sub", sub);
    std::wstring text;
    command->WriteToString(text);
    return EncodeProviderFrame(text);
}

// A complete request whose command also holds `depth` nested elements.
std::string NestedRequest(size_t depth)
{
    CXmlNodePtr command = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"command"));
    command->SetAttribute(L"cmd", L"historical");
    CXmlNode* params = new CXmlNode(command.Get(), L"params");
    for (const wchar_t* name : {L"symbol", L"type", L"interval", L"range1", L"range2", L"nodename"})
        params->SetAttribute(name, L"x");
    for (CXmlNode* inner = command.Get(); depth > 0; --depth)
        inner = new CXmlNode(inner, L"a");
    std::wstring text;
    command->WriteToString(text);
    return EncodeProviderFrame(text);
}

std::string Reply(const wchar_t* status)
{
    CXmlNodePtr response = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"response"));
    if (status)
        response->SetAttribute(L"status", status);
    std::wstring text;
    response->WriteToString(text);
    return EncodeProviderFrame(text);
}

std::string Exchange(unsigned short port, const std::vector<std::string>& sends, int replies)
{
    Client client(port);
    for (const std::string& bytes : sends) {
        client.Send(bytes);
        Sleep(30);
    }
    return client.Read(replies);
}

// The status of the reply in `frame`, as the chart control's client reads it.
std::wstring StatusOf(const std::string& frame)
{
    if (frame.size() < 2)
        return L"(no reply)";
    CXmlNodePtr container = ParseProviderPayload(frame.data() + 1, frame.size() - 2);
    if (!container)
        return L"(unreadable)";
    CXmlNodePtr response = CXmlNodePtr::Adopt(container->FindChild(L"response", 0));
    std::wstring status = L"(none)";
    if (response)
        response->GetAttributeString(L"status", status);
    return status;
}

class ScrivaneProgramTest : public ::testing::Test {
protected:
    explicit ScrivaneProgramTest(const std::wstring& setupLines = L"") : m_program(kTestScript, setupLines) {}

    void SetUp() override
    {
        ASSERT_TRUE(EnsureWinsockStarted());
        ASSERT_TRUE(m_program.Started());
        m_port = m_program.WaitForServerPort();
        ASSERT_NE(0, m_port) << "the program logged no server start";
        // The startup script is loaded a second after start-up.
        for (int attempt = 0; attempt < 100 && Exchange(m_port, {Request(L"ping")}, 1) != Reply(L"ping"); ++attempt)
            Sleep(100);
        m_program.NewLogMessages();
    }

    // How many of the messages logged since the last call begin with `prefix`.
    int LoggedLines(const std::wstring& prefix)
    {
        int count = 0;
        for (const std::wstring& message : m_program.NewLogMessages())
            count += message.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
        return count;
    }

    ScrivaneProcess m_program;
    unsigned short m_port = 0;
};

class ScrivaneShortIdleTest : public ScrivaneProgramTest {
protected:
    ScrivaneShortIdleTest() : ScrivaneProgramTest(L"IdleTimeoutMSEC=1000\r\n") {}
};

TEST_F(ScrivaneProgramTest, AnswersRawByteSequences)
{
    const std::string request = Request(L"MSFT");
    std::string lowerCase = request;
    std::transform(lowerCase.begin(), lowerCase.end(), lowerCase.begin(), [](char c) { return static_cast<char>(tolower(c)); });
    struct Case {
        const char* what;
        std::vector<std::string> sends;
        int replies;
        std::string expected;
        std::vector<std::wstring> log;
    };
    const Case cases[] = {
        {"one frame", {request}, 1, Reply(L"MSFT"), {L"served Chart1"}},
        {"a frame in pieces", {request.substr(0, 9), request.substr(9, 200), request.substr(209)}, 1, Reply(L"MSFT"),
         {L"served Chart1"}},
        {"two frames in one send", {request + Request(L"IBM")}, 2, Reply(L"MSFT") + Reply(L"IBM"),
         {L"served Chart1", L"served Chart1"}},
        {"junk before <", {"\r\n#junk#" + request}, 1, Reply(L"MSFT"), {L"served Chart1"}},
        {"lower-case hex", {lowerCase}, 1, Reply(nullptr), {}},
        {"a bad cmd", {Request(L"MSFT", nullptr, true, L"quote")}, 1, Reply(nullptr), {}},
        {"a missing attribute", {Request(L"MSFT", nullptr, false)}, 1, Reply(nullptr), {}},
        {"a missing routine", {Request(L"MSFT", L"NoSuchRoutine")}, 1, Reply(nullptr),
         {L"Script Error: Object doesn't support this property or method", L"            : Line 0, Char 0",
          L"Error starting script"}},
        {"script in sub", {Request(L"MSFT", L"GetHistorical(1):WriteLog")}, 1, Reply(nullptr), {}},
        {"a request nested too deep", {NestedRequest(1000)}, 1, Reply(nullptr), {}},
        {"a quote in a value", {Request(L"\"): WriteLog(\"injected")}, 1, Reply(L"\"): WriteLog(\"injected"),
         {L"served Chart1"}},
        {"a line break in a value", {Request(L"x\r\nWriteLog \"injected\"")}, 1, Reply(L"x\r\nWriteLog \"injected\""),
         {L"served Chart1"}},
        {"a colon in a value", {Request(L"x: WriteLog \"injected\"")}, 1, Reply(L"x: WriteLog \"injected\""),
         {L"served Chart1"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, Exchange(m_port, c.sends, c.replies)) << c.what;
        std::vector<std::wstring> log = m_program.NewLogMessages();
        for (int attempt = 0; attempt < 20 && log.size() < c.log.size(); ++attempt) {
            Sleep(50);
            const std::vector<std::wstring> more = m_program.NewLogMessages();
            log.insert(log.end(), more.begin(), more.end());
        }
        EXPECT_EQ(c.log, log) << c.what;
    }
}

TEST_F(ScrivaneProgramTest, ATwelfthConnectionWaitsForASlotAndAFiveMegabyteReplyArrivesWhole)
{
    std::vector<std::unique_ptr<Client>> idle;
    for (int i = 0; i < 11; ++i)
        idle.push_back(std::make_unique<Client>(m_port));
    Sleep(500);
    // The twelfth stays pending while eleven are listed, and is answered
    // once they go.
    Client twelfth(m_port, 5000);
    twelfth.Send(Request(L"first"));
    EXPECT_EQ("", twelfth.Read(1));
    idle.clear();
    EXPECT_EQ(Reply(L"first"), twelfth.Read(1));
    Sleep(500);

    Client big(m_port);
    big.Send(Request(L"BIG"));
    Sleep(500);
    const std::string reply = big.Read(1, 128 * 1024, 10);
    const std::wstring status(1300000, L'x');
    EXPECT_EQ(Reply(status.c_str()).size(), reply.size());
    EXPECT_TRUE(reply == Reply(status.c_str()));
}

TEST_F(ScrivaneProgramTest, ClientsThatLeaveDuringTheirReplyFreeTheirSlots)
{
    // More than the eleven slots, each leaving a reply of 5 MB behind.
    for (int i = 0; i < 14; ++i) {
        Client client(m_port);
        client.Send(Request(L"BIG"));
        Sleep(150);
        client.Close(i % 2 == 1);
    }
    Sleep(500);
    EXPECT_EQ(Reply(L"after"), Exchange(m_port, {Request(L"after")}, 1));
    const std::vector<std::wstring> log = m_program.NewLogMessages();
    EXPECT_GE(std::count_if(log.begin(), log.end(),
                            [](const std::wstring& line) { return line.find(L"reply bytes not sent") != std::wstring::npos; }),
              10)
        << ::testing::PrintToString(log);
}

TEST_F(ScrivaneShortIdleTest, ConnectionsWithNothingMovingAreClosed)
{
    std::vector<std::unique_ptr<Client>> idle;
    for (int i = 0; i < 11; ++i) {
        idle.push_back(std::make_unique<Client>(m_port));
        if (i % 2 == 1)
            idle.back()->Send(Request(L"half").substr(0, 100));
    }
    Sleep(2500);
    EXPECT_EQ(Reply(L"let in"), Exchange(m_port, {Request(L"let in")}, 1));
    for (const auto& client : idle)
        EXPECT_TRUE(client->ClosedByServer());
    EXPECT_EQ(11, LoggedLines(L"Closed a connection idle for 1000 ms"));
}

TEST_F(ScrivaneProgramTest, AClientThatNeverReadsCannotGrowTheProgram)
{
    const size_t before = m_program.PrivateBytes();
    ASSERT_NE(0u, before);
    {
        Client greedy(m_port);
        std::string requests;
        for (int i = 0; i < 30; ++i)
            requests += Request(L"BIG");
        greedy.Send(requests);   // 30 replies of 5 MB each, never read
        Sleep(3000);
        const size_t during = m_program.PrivateBytes();
        EXPECT_LT(during, before + 40 * 1024 * 1024) << before << " -> " << during;
    }
    Sleep(500);
    EXPECT_EQ(Reply(L"after"), Exchange(m_port, {Request(L"after")}, 1));
}

TEST_F(ScrivaneProgramTest, AnOversizedRequestIsCutOffBeforeParsing)
{
    Client client(m_port);
    std::wstring text = L"<command cmd=\"historical\"><params symbol=\"" + std::wstring(250000, L'x') + L"\"/></command>";
    client.Send(EncodeProviderFrame(text));   // a megabyte on one line
    EXPECT_TRUE(client.ClosedByServer());
    EXPECT_EQ(1, LoggedLines(L"Closed a connection whose request passed 65536 bytes"));
    EXPECT_EQ(Reply(L"after"), Exchange(m_port, {Request(L"after")}, 1));
}

TEST_F(ScrivaneProgramTest, EveryReplyReadsAndAFailedRoutineNeverSaysOk)
{
    EXPECT_EQ(L"Script error", StatusOf(Exchange(m_port, {Request(L"FAIL")}, 1)));
    EXPECT_EQ(L"a\xFFFD" L"b", StatusOf(Exchange(m_port, {Request(L"CONTROL")}, 1)));
}

TEST_F(ScrivaneProgramTest, AScriptPastTenSecondsIsStoppedWithTheBareReply)
{
    Client client(m_port, 30000);
    client.Send(Request(L"LOOP"));
    EXPECT_EQ(Reply(nullptr), client.Read(1));
    EXPECT_EQ(1, LoggedLines(L"Script still running after 10000 ms: interrupting it"));
    EXPECT_EQ(Reply(L"after"), Exchange(m_port, {Request(L"after")}, 1));
}

TEST(ScrivaneProgramStartUp, MakesTheProgramsRegistryKey)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ODBC Provider");
    ScrivaneProcess program(kTestScript);
    ASSERT_TRUE(program.Started());
    ASSERT_NE(0, program.WaitForServerPort()) << "start-up went as far as the server";
    UniqueRegistryKey key;
    EXPECT_EQ(ERROR_SUCCESS,
              RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\ODBC Provider\\Scrivane", 0, KEY_READ, key.Put()));
}

TEST_F(ScrivaneProgramTest, AScriptThatCallsItselfWithoutEndEndsTheProgramAndFreesThePort)
{
    Client client(m_port, 180000);
    client.Send(Request(L"DEEP"));
    // Under an emulator the engine needs a minute or more to reach the stack's end.
    ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(m_program.Process(), 240000));
    DWORD exitCode = 0;
    GetExitCodeProcess(m_program.Process(), &exitCode);
    EXPECT_EQ(kThreadFailureExitCode, exitCode);
    EXPECT_TRUE(client.ClosedByServer());
    EXPECT_FALSE(Client(m_port).Connected());
    const std::vector<std::wstring> log = m_program.LogMessages();
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(),
                                   L"Scrivane's thread failed with exception 0xC00000FD (stack overflow: a script "
                                   L"that calls itself without end?): the program ends"))
        << ::testing::PrintToString(log);
}

TEST_F(ScrivaneProgramTest, TitleKeysSetupAndClose)
{
    const HWND window = m_program.MainWindow();
    ASSERT_NE(nullptr, window);
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    EXPECT_STREQ(L"Scrivane - Version 1.1.0.9", title);

    // Enter and Escape do not end the program.
    for (WPARAM key : {VK_RETURN, VK_ESCAPE})
        PostMessageW(window, WM_KEYDOWN, key, 0);
    Sleep(500);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(m_program.Process(), 0));

    // Setup to a new port moves the server.
    const unsigned short newPort = FreeLoopbackPort();

    PostMessageW(window, WM_COMMAND, ID_SETUP, 0);
    HWND setup = nullptr;
    for (int attempt = 0; attempt < 100 && !setup; ++attempt, Sleep(100))
        setup = m_program.SetupDialog();
    ASSERT_NE(nullptr, setup);
    SetDlgItemTextW(setup, IDC_SETUP_PORT, std::to_wstring(newPort).c_str());
    PostMessageW(setup, WM_COMMAND, IDOK, 0);

    EXPECT_EQ(newPort, m_program.WaitForServerPort());
    const std::vector<std::wstring> log = m_program.LogMessages();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(L"Shutdown Server Port", log[log.size() - 2]) << ::testing::PrintToString(log);
    EXPECT_EQ(Reply(L"moved"), Exchange(newPort, {Request(L"moved")}, 1));
    EXPECT_FALSE(Client(m_port).Connected());

    // Closing the window ends the program.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(m_program.Process(), 15000));
    DWORD exitCode = 1;
    GetExitCodeProcess(m_program.Process(), &exitCode);
    EXPECT_EQ(0u, exitCode);
}

TEST(ScrivaneStartupTest, UnderTrafficFromTheFirstMomentEveryReplyComesFromTheLoadedScript)
{
    ASSERT_TRUE(EnsureWinsockStarted());
    const unsigned short port = FreeLoopbackPort();
    constexpr int kWanted = 40;
    constexpr DWORD kBoundMs = 30000;
    std::atomic<bool> stop{false};
    std::atomic<int> served{0};
    std::atomic<int> other{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < 4; ++i) {
        clients.emplace_back([&] {
            while (!stop) {
                Client client(port);
                if (!client.Connected()) {
                    Sleep(1);
                    continue;
                }
                client.Send(Request(L"traffic"));
                (client.Read(1) == Reply(L"traffic") ? served : other)++;
            }
        });
    }
    {
        ScrivaneProcess program(kTestScript, L"ServerPort=" + std::to_wstring(port) + L"\r\n");
        EXPECT_TRUE(program.Started());
        const DWORD start = GetTickCount();
        while (served < kWanted && GetTickCount() - start < kBoundMs)
            Sleep(50);
        stop = true;
        for (std::thread& client : clients)
            client.join();
    }
    EXPECT_GE(served.load(), kWanted);
    EXPECT_EQ(0, other.load()) << "replies not from the startup script";
}

}  // namespace
