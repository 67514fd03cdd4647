#include <gtest/gtest.h>

#include <chrono>

#include "textvote/ftp/test/FTPTestSupport.h"
#include "textvote/ftp/FileStatus.h"
#include "textvote/ftp/FirewallKind.h"
#include "textvote/ftp/Reply.h"
#include "textvote/ftp/Representation.h"
#include "textvote/ftp/TransferNotification.h"

using namespace nsFTP;

TEST(Reply, CodeIsValidOnlyForTheFiveClassesAndSixGroups)
{
    struct Case { const wchar_t* text; const wchar_t* code; char digit; };
    const Case cases[] = {
        {L"230 Logged on", L"230", '2'},
        {L"150 Opening", L"150", '1'},
        {L"350 Ready", L"350", '3'},
        {L"451 Local error", L"451", '4'},
        {L"553 Not allowed", L"553", '5'},
        {L"631 Protected", L"", 0},  // no sixth class
        {L"260 x", L"", 0},          // no sixth group
        {L"0 x", L"", 0},
        {L"22", L"", 0},
        {L"", L"", 0},
    };
    for (const Case& c : cases) {
        CReply reply;
        EXPECT_EQ(c.digit != 0, reply.Set(c.text)) << testing::PrintToString(c.text);
        EXPECT_EQ(c.code, reply.Code());
        EXPECT_EQ(c.text, reply.Value());
        EXPECT_EQ(c.digit == '1', reply.IsPositivePreliminaryReply());
        EXPECT_EQ(c.digit == '2', reply.IsPositiveCompletionReply());
        EXPECT_EQ(c.digit == '3', reply.IsPositiveIntermediateReply());
        EXPECT_EQ(c.digit == '4', reply.IsTransientNegativeCompletionReply());
        EXPECT_EQ(c.digit == '5', reply.IsPermanentNegativeCompletionReply());
        EXPECT_EQ(c.digit == '4' || c.digit == '5', reply.IsNegativeReply());
    }
}

TEST(FirewallKind, NamesInValueOrder)
{
    const wchar_t* const display[] = {
        L"no firewall", L"SITE hostname", L"USER after logon", L"proxy OPEN", L"Transparent",
        L"USER with no logon", L"USER fireID@remotehost", L"USER remoteID@remotehost fireID",
        L"USER remoteID@fireID@remotehost"};
    const wchar_t* const storage[] = {
        L"NO_FIREWALL", L"SITE_HOSTNAME", L"USER_AFTER_LOGON", L"PROXY_OPEN", L"TRANSPARENT",
        L"USER_WITH_NO_LOGON", L"USER_FIREID@REMOTEHOST", L"USER_REMOTEID@REMOTEHOST_FIREID",
        L"USER_REMOTEID@FIREID@REMOTEHOST"};
    const std::vector<CFirewallKind> all = CFirewallKind::GetAllTypes();
    ASSERT_EQ(9u, all.size());
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(i, all[i].AsInt());
        EXPECT_EQ(display[i], all[i].AsDisplayString());
        EXPECT_EQ(storage[i], all[i].AsStorageString());
    }
    EXPECT_EQ(L"", CFirewallKind(9).AsDisplayString());
    EXPECT_EQ(L"", CFirewallKind(-1).AsStorageString());
}

TEST(LogonRecord, DefaultsAndSetters)
{
    const CLogonRecord defaults;
    EXPECT_EQ(L"", defaults.Hostname());
    EXPECT_EQ(21, defaults.Hostport());
    EXPECT_EQ(L"anonymous", defaults.Username());
    EXPECT_EQ(21, defaults.FwPort());
    EXPECT_EQ(CFirewallKind::NoFirewall, defaults.FwType().AsInt());

    const CLogonRecord all(L"h", 2121, L"u", L"p", L"a", L"fh", L"fu", L"fp", 8021,
                           CFirewallKind(CFirewallKind::ProxyOpen));
    EXPECT_EQ(L"h", all.Hostname());
    EXPECT_EQ(2121, all.Hostport());
    EXPECT_EQ(L"a", all.Account());
    EXPECT_EQ(L"fh", all.FwHost());
    EXPECT_EQ(L"fu", all.FwUsername());
    EXPECT_EQ(L"fp", all.FwPassword());
    EXPECT_EQ(8021, all.FwPort());
    EXPECT_EQ(CFirewallKind::ProxyOpen, all.FwType().AsInt());
}

TEST(DataCommand, TextAndDirection)
{
    struct Case { CDataCommand::Value command; const wchar_t* path; const wchar_t* text; bool receives; };
    const Case cases[] = {
        {CDataCommand::List, L"", L"LIST", true},
        {CDataCommand::List, L"/pub", L"LIST /pub", true},
        {CDataCommand::NameList, L"", L"NLST", true},
        {CDataCommand::Retrieve, L"a.bin", L"RETR a.bin", true},
        {CDataCommand::Store, L"a.bin", L"STOR a.bin", false},
        {CDataCommand::StoreUnique, L"a", L"STOU a", false},
        {CDataCommand::Append, L"a.bin", L"APPE a.bin", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text, CDataCommand(c.command).Text(c.path));
        EXPECT_EQ(c.receives, CDataCommand(c.command).Receives()) << c.command;
    }
}

TEST(OutputStream, LinesEndAtCrLfOrLfAndTheLastNeedsNoEnd)
{
    struct Case { const char* bytes; std::vector<std::wstring> lines; };
    const Case cases[] = {
        {"a\r\nb\r\n", {L"a", L"b"}},
        {"a\nb\n", {L"a", L"b"}},
        {"a\r\nb\nc", {L"a", L"b", L"c"}},
        {"\r\n\nx", {L"", L"", L"x"}},
        {"one line", {L"one line"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        COutputStream stream(L"\r\n");
        // Bytes arrive in pieces that split the line ends.
        const std::string bytes = c.bytes;
        for (size_t i = 0; i < bytes.size(); i += 2)
            stream.OnBytesReceived(bytes.data() + i, std::min<size_t>(2, bytes.size() - i));
        std::vector<std::wstring> lines;
        std::wstring line;
        while (stream.GetNextLine(line))
            lines.push_back(line);
        EXPECT_EQ(c.lines, lines) << testing::PrintToString(c.bytes);
        stream.Rewind();
        EXPECT_EQ(!c.lines.empty(), stream.GetNextLine(line));
    }
}

TEST(OutputStream, EachLineCostsItsOwnLengthWhenLinesEndInLineFeedsAlone)
{
    // A line end looked for through the whole rest would make this hours.
    const size_t count = 200000;
    std::string bytes;
    for (size_t i = 0; i < count; ++i)
        bytes += "a\n";
    COutputStream stream(L"\r\n");
    stream.OnBytesReceived(bytes.data(), bytes.size());
    const auto start = std::chrono::steady_clock::now();
    size_t lines = 0;
    std::wstring line;
    while (stream.GetNextLine(line) && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
        lines += line == L"a" ? 1 : 0;
    EXPECT_EQ(count, lines);
}

TEST(OutputStream, EveryByteIsOneCharacter)
{
    COutputStream stream(L"\r\n");
    const char bytes[] = {'\xe9', '\x80', '\0', 'z'};
    stream.OnBytesReceived(bytes, sizeof bytes);
    EXPECT_EQ(std::wstring(L"\u00e9\u0080\0z", 4), stream.GetBuffer());
}

TEST(LocalFile, ReadAndWriteFailuresMarkTheFile)
{
    TempFile temp(L"local-file.bin");
    CFile file;
    EXPECT_EQ(-1, file.Tell());
    ASSERT_TRUE(file.Open(temp.Path(), L"wb"));
    file.OnBytesReceived("abc", 3);
    EXPECT_FALSE(file.Failed());
    EXPECT_EQ(3, file.Tell());
    EXPECT_TRUE(file.Close());

    char buffer[8];
    size_t count = 99;
    ASSERT_TRUE(file.Open(temp.Path(), L"rb"));
    file.OnPreBytesSend(buffer, sizeof buffer, count);
    EXPECT_EQ(3u, count);
    file.OnPreBytesSend(buffer, sizeof buffer, count);
    EXPECT_EQ(0u, count);
    EXPECT_FALSE(file.Failed()) << "the end of the file is no failure";

    // Linux's full device takes no byte; its memory file gives none.
    const std::string block(65536, 'x');
    ASSERT_TRUE(file.Open(L"Z:\\dev\\full", L"wb"));
    EXPECT_FALSE(file.Failed()) << "a new open starts clean";
    file.OnBytesReceived(block.data(), block.size());
    EXPECT_TRUE(file.Failed()) << "a short write fails";
    EXPECT_NE(0u, file.Error());

    ASSERT_TRUE(file.Open(L"Z:\\proc\\self\\mem", L"rb"));
    file.OnPreBytesSend(buffer, sizeof buffer, count);
    EXPECT_EQ(0u, count);
    EXPECT_TRUE(file.Failed()) << "a read error is no end of file";
}

TEST(FileStatus, ResetCopyAndEquality)
{
    CFTPFileStatus status;
    EXPECT_EQ(-1, status.size);
    EXPECT_EQ(CFTPFileStatus::SizeType::Unknown, status.sizeType);
    status.name = L"a.bin";
    status.size = 5;
    status.tryRETR = true;
    CFTPFileStatus copy = status;
    EXPECT_EQ(status, copy);
    copy.id = L"x";
    EXPECT_NE(status, copy);
    copy = copy;
    EXPECT_EQ(L"x", copy.id);
    status.Reset();
    EXPECT_EQ(CFTPFileStatus(), status);
}

TEST(RCIPtr, SharesOneHolderUntilItIsUnshareable)
{
    nsSP::RCIPtr<CFTPFileStatus> first(new CFTPFileStatus);
    first->name = L"a";
    EXPECT_FALSE(first.Holder().IsShared());
    {
        const nsSP::RCIPtr<CFTPFileStatus> second = first;
        EXPECT_EQ(first.Get(), second.Get());
        EXPECT_TRUE(first.Holder().IsShared());
    }
    EXPECT_FALSE(first.Holder().IsShared()) << "the copy's end gave its count back";

    first.Holder().MarkUnshareable();
    nsSP::RCIPtr<CFTPFileStatus> own = first;
    EXPECT_NE(first.Get(), own.Get()) << "an unshareable holder hands out copies";
    EXPECT_EQ(L"a", own->name);
    own->name = L"b";
    EXPECT_EQ(L"a", first->name);
}
