// A companion movie played through Video for Windows with the installed
// codec: the script picks the source frames that come out.
#include "motion/codec/test/CodecInstallTestSupport.h"
#include "motion/codec/test/CompanionPlaybackTestSupport.h"

#include "base/com/RefPtr.h"
#include "base/win/UniqueHandle.h"
#include "motion/plugin/AviLibrary.h"
#include "motion/plugin/CompanionMovieWriter.h"
#include "motion/plugin/test/MovieTestSupport.h"
#include "motion/records/CompanionRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include <vfw.h>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kBoundMs = 20000;
constexpr ULONGLONG kStopBoundMs = 5000;
constexpr TestMovieShape kShape = {8, 4, 8, 1, 25};

std::vector<char> ReadBytes(const std::wstring& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::wstring& path, const std::vector<char>& bytes)
{
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// Overwrites the first occurrence of `find` with `replace` (no longer than it).
bool PatchFile(const std::wstring& path, const std::vector<char>& find, const std::vector<char>& replace)
{
    std::vector<char> bytes = ReadBytes(path);
    const auto at = std::search(bytes.begin(), bytes.end(), find.begin(), find.end());
    if (at == bytes.end() || replace.size() > find.size())
        return false;
    std::copy(replace.begin(), replace.end(), at);
    return WriteBytes(path, bytes);
}

// A path as it sits in a record field, NUL included.
std::vector<char> PathField(const std::wstring& path, size_t chars)
{
    std::vector<char> field(chars * sizeof(wchar_t), 0);
    std::memcpy(field.data(), path.c_str(), std::min(path.size(), chars - 1) * sizeof(wchar_t));
    return field;
}

// The DRVL stream's format chunk: "strf", its size, then the picture header.
bool PatchStreamSize(const std::wstring& path, LONG width, LONG height)
{
    std::vector<char> bytes = ReadBytes(path);
    const char tag[] = {'s', 't', 'r', 'f'};
    const auto at = std::search(bytes.begin(), bytes.end(), std::begin(tag), std::end(tag));
    if (bytes.end() - at < 8 + static_cast<std::ptrdiff_t>(sizeof(BITMAPINFOHEADER)))
        return false;
    auto* format = reinterpret_cast<BITMAPINFOHEADER*>(&*(at + 8));
    format->biWidth = width;
    format->biHeight = height;
    return WriteBytes(path, bytes);
}

// The companion's first video stream with a frame reader on it.
struct CompanionPlayer {
    void Open(const std::wstring& path)
    {
        ASSERT_EQ(AVIFileOpenW(file.Put(), path.c_str(), OF_READ, nullptr), S_OK);
        ASSERT_EQ(AVIFileGetStream(file.Get(), stream.Put(), streamtypeVIDEO, 0), S_OK);
        frames.Reset(AVIStreamGetFrameOpen(stream.Get(), nullptr));
        ASSERT_TRUE(frames);
    }
    // The frame reader is closed by the test itself.
    void Release()
    {
        stream.Reset();
        file.Reset();
    }

    RefPtr<IAVIFile> file;
    RefPtr<IAVIStream> stream;
    UniqueGetFrame frames;
};

class CodecPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_install.Installed());
        ASSERT_FALSE(InstalledCodecEntry().empty());
        const fs::path folder = fs::absolute(L"codec_playback");
        fs::remove_all(folder);
        fs::create_directories(folder);
        m_source = (folder / L"clip.avi").wstring();
        ASSERT_EQ(WriteVideoMovie(m_source, kShape), S_OK);
    }

    void WriteCompanion(const wchar_t* script)
    {
        wchar_t companion[MAX_PATH];
        ASSERT_GE(WriteCompanionMovie(m_source.c_str(), companion, script, L"Frame", L"playback"), 0);
        m_companion = companion;
    }

    ScopedCodecInstall m_install;
    AviLibrary m_library;
    std::wstring m_source;
    std::wstring m_companion;
};

TEST_F(CodecPlaybackTest, TheScriptChoosesTheSourceFramesAndClosingStopsIt)
{
    const UniqueKernelHandle go(CreateEventW(nullptr, TRUE, FALSE, L"drvl-playback-go"));
    const UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, L"drvl-playback-ready"));
    ASSERT_TRUE(go && ready);
    // Startup waits for the test, so the header frame comes out before the
    // script has set anything.
    WriteCompanion(
        L"Sub Startup\n"
        L"  Do While Drovel.IsEventSet(\"drvl-playback-go\") = 0\n"
        L"    Drovel.Pause 5\n"
        L"  Loop\n"
        L"  Drovel.SetGlobal \"Frame\", 2\n"
        L"  Drovel.SetGlobal \"Delta-Frame\", 1\n"
        L"  Drovel.SetNamedEvent \"drvl-playback-ready\", 1\n"
        L"  Do\n"
        L"    Drovel.Pause 5\n"
        L"  Loop\n"
        L"End Sub\n");

    CompanionPlayer player;
    ASSERT_NO_FATAL_FAILURE(player.Open(m_companion));
    PGETFRAME frames = player.frames.Get();

    const void* header = AVIStreamGetFrame(frames, 0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(PictureFrame(header, kShape), 0);
    SetEvent(go.Get());
    ASSERT_EQ(WaitForSingleObject(ready.Get(), kBoundMs), WAIT_OBJECT_0);
    const std::vector<UniqueKernelHandle> runnerThreads = CodecThreads();
    ASSERT_EQ(runnerThreads.size(), 1u);
    // Each decoded frame reads the variable once, which advances it by one.
    for (LONG frame = 1; frame <= 4; ++frame) {
        const void* picture = AVIStreamGetFrame(frames, frame);
        ASSERT_NE(picture, nullptr) << frame;
        EXPECT_EQ(PictureFrame(picture, kShape), 2 + frame) << frame;
    }
    EXPECT_EQ(AVIStreamGetFrame(frames, static_cast<LONG>(kShape.frames)), nullptr);

    const ULONGLONG start = GetTickCount64();
    player.frames.Reset();
    EXPECT_LT(GetTickCount64() - start, kStopBoundMs);
    player.Release();
    // The runner's thread has ended (the writer's codec instance stays open
    // under Wine, so the module itself stays loaded).
    EXPECT_EQ(WaitForSingleObject(runnerThreads[0].Get(), static_cast<DWORD>(kStopBoundMs)), WAIT_OBJECT_0);
}

TEST_F(CodecPlaybackTest, ACompanionWithoutFrameVariableShowsSourceFrameZero)
{
    WriteCompanion(L"Sub Startup\nEnd Sub\n");
    CompanionPlayer player;
    ASSERT_NO_FATAL_FAILURE(player.Open(m_companion));
    PGETFRAME frames = player.frames.Get();
    for (LONG frame = 0; frame < 3; ++frame) {
        const void* picture = AVIStreamGetFrame(frames, frame);
        ASSERT_NE(picture, nullptr) << frame;
        EXPECT_EQ(PictureFrame(picture, kShape), 0) << frame;
    }
}

TEST_F(CodecPlaybackTest, HostileCompanionsFailCleanlyAndTheNextOnePlays)
{
    const fs::path folder = fs::path(m_source).parent_path();
    // A second companion, to serve as another one's source.
    const fs::path otherSource = folder / L"other.avi";
    ASSERT_EQ(WriteVideoMovie(otherSource.wstring(), kShape), S_OK);
    wchar_t otherCompanion[MAX_PATH];
    ASSERT_GE(WriteCompanionMovie(otherSource.c_str(), otherCompanion, L"Sub Startup\nEnd Sub\n", L"Frame",
                                  L"other"),
              0);

    struct Case {
        const char* what;
        std::wstring source;   // replaces the header's source path when not empty
        LONG width, height;    // the stream format's size
    };
    const Case cases[] = {
        {"source is the companion itself", L"(self)", kShape.width, kShape.height},
        {"source is another companion", otherCompanion, kShape.width, kShape.height},
        {"stream of 32768 x 32768", L"", 32768, 32768},
        {"stream of 65536 x 65536", L"", 65536, 65536},
        {"stream of 16384 x 16384", L"", 16384, 16384},
        {"stream of 1 x -2147483647", L"", 1, -2147483647},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteCompanion(L"Sub Startup\nEnd Sub\n");
        if (!c.source.empty()) {
            const std::wstring source = c.source == L"(self)" ? m_companion : c.source;
            ASSERT_TRUE(PatchFile(m_companion, PathField(m_source, companion::kPathChars),
                                  PathField(source, companion::kPathChars)));
        }
        if (c.width != kShape.width || c.height != kShape.height) {
            ASSERT_TRUE(PatchStreamSize(m_companion, c.width, c.height));
        }
        // The player hands out its buffer whatever the codec answers: a
        // refused header shows as no script started.
        {
            const CompanionFrameReader reader(m_companion, kShape);
            if (reader.Ready()) {
                reader.Frame(0);
                EXPECT_TRUE(CodecThreads().empty());
            }
        }
        EXPECT_NE(HeapValidate(GetProcessHeap(), 0, nullptr), FALSE);
    }

    WriteCompanion(L"Sub Startup\nEnd Sub\n");
    const CompanionFrameReader reader(m_companion, kShape);
    ASSERT_TRUE(reader.Ready());
    EXPECT_EQ(reader.Frame(0), 0);
}

TEST(CodecInstallTest, TheDriverEntryIsRemovedAgain)
{
    {
        ScopedCodecInstall install;
        ASSERT_TRUE(install.Installed());
        EXPECT_NE(InstalledCodecEntry().find(L"DRVL.dll"), std::wstring::npos);
    }
    EXPECT_EQ(InstalledCodecEntry(), L"");
}

}  // namespace
