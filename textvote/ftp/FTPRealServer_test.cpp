// The client against a real FTP server (pyftpdlib) on loopback.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "textvote/ftp/test/FTPServerTestSupport.h"  // first: winsock2.h before windows.h

#include "base/win/UniqueHandle.h"

using nsFTP::CFTPClient;
using nsFTP::CRepresentation;

namespace {

const unsigned kTimeout = 10;
const CRepresentation kImage(CRepresentation::Type::Image);

std::unique_ptr<CFTPClient> LogOn(RecordingObserver& observer)
{
    auto client = std::make_unique<CFTPClient>(nsSocket::CreateDefaultBlockingSocket(), kTimeout);
    client->AttachObserver(&observer);
    EXPECT_TRUE(client->Login(ServerLogon()));
    return client;
}

bool Contains(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

}  // namespace

TEST(FtpRealServer, TransfersAreByteExactBothWays)
{
    struct File { const wchar_t* name; std::string bytes; };
    const File files[] = {
        {L"every-byte.bin", TestBytes(256)},
        {L"empty.bin", std::string()},
        {L"large.bin", TestBytes(3 * 1024 * 1024 + 17)},
    };
    for (const bool passive : {true, false}) {
        for (const File& file : files) {
            const std::wstring remote = std::wstring(passive ? L"passive-" : L"active-") + file.name;
            SCOPED_TRACE(testing::PrintToString(remote));
            TempFile source(L"source.bin");
            TempFile back(L"back.bin");
            ASSERT_TRUE(WriteBytes(source.Path(), file.bytes));

            RecordingObserver observer;
            auto client = LogOn(observer);
            ASSERT_TRUE(client->UploadFile(source.Path(), remote, false, kImage, passive));
            bool stored = false;
            EXPECT_TRUE(ReadBytes(ServedPath(remote), &stored) == file.bytes);
            EXPECT_TRUE(stored);
            ASSERT_TRUE(client->DownloadFile(remote, back.Path(), kImage, passive));
            EXPECT_TRUE(ReadBytes(back.Path()) == file.bytes);
            EXPECT_EQ(0, client->Logout());
            EXPECT_TRUE(observer.errors.empty());
        }
    }
}

TEST(FtpRealServer, AnInterruptedUploadResumesWhereTheServerStopped)
{
    const std::string bytes = TestBytes(3 * 1024 * 1024);
    TempFile source(L"resume-source.bin");
    ASSERT_TRUE(WriteBytes(source.Path(), bytes));

    CFTPClient* stopping = nullptr;
    StoppingObserver observer(stopping, 512 * 1024);
    auto client = LogOn(observer);
    stopping = client.get();
    EXPECT_FALSE(client->UploadFile(source.Path(), L"resumed.bin", false, kImage));
    stopping = nullptr;
    long long held = 0;
    ASSERT_EQ(0, client->FileSize(L"resumed.bin", held)) << "the replies stay in step after the abort";
    ASSERT_GT(held, 0);
    ASSERT_LT(held, static_cast<long long>(bytes.size()));

    ASSERT_TRUE(client->UploadFile(source.Path(), L"resumed.bin", false, kImage));
    EXPECT_TRUE(Contains(ServerCommandLog(), "APPE resumed.bin"));
    EXPECT_TRUE(ReadBytes(ServedPath(L"resumed.bin")) == bytes);
}

TEST(FtpRealServer, AnAbortedDownloadLeavesTheRepliesInStep)
{
    ASSERT_TRUE(WriteBytes(ServedPath(L"abort-me.bin"), TestBytes(4 * 1024 * 1024)));
    CFTPClient* stopping = nullptr;
    StoppingObserver observer(stopping, 1);
    auto client = LogOn(observer);
    stopping = client.get();
    TempFile local(L"aborted.bin");
    EXPECT_FALSE(client->DownloadFile(L"abort-me.bin", local.Path(), kImage));
    stopping = nullptr;
    EXPECT_EQ(0, client->Noop());
    ASSERT_FALSE(observer.replies.empty());
    EXPECT_EQ(L"200", observer.replies.back().substr(0, 3));
    EXPECT_EQ(0, client->PrintWorkingDirectory());
    EXPECT_EQ(L"257", observer.replies.back().substr(0, 3));
}

TEST(FtpRealServer, ListingsBeforeAnyBinaryTransfer)
{
    // A fresh connection lists in the default type: the server refuses
    // "TYPE A N", which only a change back from binary would send.
    ASSERT_TRUE(CreateDirectoryW(ServedPath(L"listed").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(ServedPath(L"listed\\docs").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(ServedPath(L"listed\\a.bin"), TestBytes(1234)));

    RecordingObserver observer;
    auto client = LogOn(observer);
    ASSERT_EQ(0, client->ChangeWorkingDirectory(L"/listed"));
    nsFTP::TFTPFileStatusShPtrVec statuses;
    ASSERT_TRUE(client->List(L"", statuses));
    ASSERT_EQ(2u, statuses.size());
    std::sort(statuses.begin(), statuses.end(), [](const auto& a, const auto& b) { return a->name < b->name; });
    EXPECT_EQ(L"a.bin", statuses[0]->name);
    EXPECT_EQ(1234, statuses[0]->size);
    EXPECT_TRUE(statuses[0]->tryRETR);
    EXPECT_EQ(L"docs", statuses[1]->name);
    EXPECT_TRUE(statuses[1]->tryCWD);

    // The listing's time is the file's, to the minute, in UTC.
    const UniqueFile file(CreateFileW(ServedPath(L"listed\\a.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    FILETIME written{};
    ASSERT_TRUE(GetFileTime(file.Get(), nullptr, nullptr, &written));
    const long long unixSeconds =
        static_cast<long long>((static_cast<unsigned long long>(written.dwHighDateTime) << 32 | written.dwLowDateTime) /
                               10000000ULL) -
        11644473600LL;
    EXPECT_EQ(nsFTP::CFTPFileStatus::MTimeType::RemoteMinute, statuses[0]->mtimeType);
    EXPECT_EQ(unixSeconds / 60 * 60, statuses[0]->mtime);

    std::vector<std::wstring> lines;
    ASSERT_TRUE(client->List(L"", lines));
    EXPECT_EQ(2u, lines.size());
    std::vector<std::wstring> names;
    ASSERT_TRUE(client->NameList(L"", names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::wstring>{L"a.bin", L"docs"}), names);
}

TEST(FtpRealServer, LineBreaksInNamesReachNoServer)
{
    ASSERT_TRUE(WriteBytes(ServedPath(L"keep.bin"), "keep"));
    RecordingObserver observer;
    auto client = LogOn(observer);
    EXPECT_EQ(-1, client->Delete(L"x\r\nDELE keep.bin"));
    EXPECT_EQ(-1, client->Rename(L"keep.bin\nDELE keep.bin", L"y"));
    EXPECT_EQ(-1, client->MakeDirectory(L"d\rDELE keep.bin"));
    EXPECT_EQ(-1, client->Delete(std::wstring(L"x\0DELE keep.bin", 15)));
    TempFile source(L"injected.bin");
    ASSERT_TRUE(WriteBytes(source.Path(), "x"));
    EXPECT_FALSE(client->UploadFile(source.Path(), L"a\r\nDELE keep.bin", false, kImage));

    CFTPClient second(nsSocket::CreateDefaultBlockingSocket(), kTimeout);
    nsFTP::CLogonRecord logon = ServerLogon();
    logon.SetHost(logon.Hostname(), logon.Hostport(), L"u1\r\nDELE keep.bin", logon.Password(), L"");
    EXPECT_FALSE(second.Login(logon));

    EXPECT_EQ(0, client->Noop()) << "the first client is still logged on";
    const std::vector<std::string> log = ServerCommandLog();
    EXPECT_TRUE(Contains(log, "NOOP")) << "the log is live";
    EXPECT_FALSE(Contains(log, "DELE")) << "an injected command reached the server";
    EXPECT_FALSE(Contains(log, "keep.bin"));
    EXPECT_EQ("keep", ReadBytes(ServedPath(L"keep.bin")));
}
