// A companion movie played through Video for Windows with the installed
// codec: the script picks the source frames that come out.
#include "motion/codec/CodecInstallTestSupport.h"
#include "motion/codec/CompanionPlaybackTestSupport.h"

#include "common/com/RefPtr.h"
#include "common/win/UniqueHandle.h"
#include "motion/plugin/AviLibrary.h"
#include "motion/plugin/CompanionMovieWriter.h"
#include "motion/plugin/MovieTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vfw.h>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kBoundMs = 20000;
constexpr ULONGLONG kStopBoundMs = 5000;
constexpr TestMovieShape kShape = {8, 4, 8, 1, 25};

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
