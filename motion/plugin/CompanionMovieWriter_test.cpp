#include "motion/plugin/CompanionMovieWriter.h"
#include "motion/plugin/test/RecordCopyCompressorTestSupport.h"
#include "motion/plugin/test/MovieTestSupport.h"

#include "base/com/RefPtr.h"
#include "motion/plugin/AviLibrary.h"
#include "motion/records/CompanionRecords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <filesystem>
#include <string>
#include <vector>
#include <vfw.h>

using namespace companion;
namespace fs = std::filesystem;

namespace {

constexpr DWORD kDrvl = mmioFOURCC('D', 'R', 'V', 'L');

struct CompanionContents {
    HRESULT openResult = E_FAIL;
    DWORD fileStreams = 0;
    AVISTREAMINFOW stream = {};
    BITMAPINFOHEADER format = {};
    std::vector<std::vector<BYTE>> frames;
    std::vector<bool> keyFrames;
};

// Everything Video for Windows reads back from a companion movie.
CompanionContents ReadCompanion(const std::wstring& path)
{
    AviLibrary library;
    CompanionContents c;
    RefPtr<IAVIFile> file;
    c.openResult = AVIFileOpenW(file.Put(), path.c_str(), OF_READ, nullptr);
    if (FAILED(c.openResult))
        return c;
    AVIFILEINFOW info = {};
    AVIFileInfoW(file.Get(), &info, sizeof(info));
    c.fileStreams = info.dwStreams;
    RefPtr<IAVIStream> stream;
    if (FAILED(AVIFileGetStream(file.Get(), stream.Put(), streamtypeVIDEO, 0)))
        return c;
    AVIStreamInfoW(stream.Get(), &c.stream, sizeof(c.stream));
    LONG formatSize = sizeof(c.format);
    AVIStreamReadFormat(stream.Get(), 0, &c.format, &formatSize);
    for (LONG i = 0; i < static_cast<LONG>(c.stream.dwLength); ++i) {
        LONG bytes = 0;
        if (FAILED(AVIStreamRead(stream.Get(), i, 1, nullptr, 0, &bytes, nullptr)))
            break;
        std::vector<BYTE> frame(static_cast<size_t>(bytes));
        if (FAILED(AVIStreamRead(stream.Get(), i, 1, frame.data(), bytes, nullptr, nullptr)))
            break;
        c.frames.push_back(std::move(frame));
        c.keyFrames.push_back(AVIStreamIsKeyFrame(stream.Get(), i) != FALSE);
    }
    return c;
}

std::wstring FieldText(const wchar_t* field, size_t chars)
{
    return std::wstring(field, wcsnlen(field, chars));
}

bool IsBracedGuid(const std::wstring& s)
{
    if (s.size() != 38 || s.front() != L'{' || s.back() != L'}')
        return false;
    for (size_t i = 1; i < 37; ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? s[i] != L'-' : !iswxdigit(s[i]))
            return false;
    }
    return true;
}

// The header record's fields, checked against what the writer was given.
void ExpectHeaderRecord(const std::vector<BYTE>& frame, const std::wstring& source, DWORD frames,
                        const std::wstring& script, const std::wstring& variable,
                        const std::wstring& scriptId)
{
    ASSERT_EQ(frame.size(), ScriptHeaderSize(script.size()));
    ScriptHeaderRecord h;
    std::memcpy(&h, frame.data(), sizeof(h));
    EXPECT_EQ(h.recordType, kScriptHeaderType);
    EXPECT_EQ(h.reserved, kHeaderReservedValue);
    EXPECT_TRUE(IsBracedGuid(FieldText(h.recordId, kIdChars)));
    EXPECT_EQ(FieldText(h.sourcePath, kPathChars), source);
    EXPECT_EQ(h.frameCount, frames);
    EXPECT_EQ(FieldText(h.scriptId, kIdChars), scriptId);
    EXPECT_EQ(FieldText(h.variableName, kIdChars), variable);
    EXPECT_EQ(h.scriptOffset, kScriptHeaderFixedSize);
    EXPECT_EQ(h.scriptBytes, 2 * (script.size() + 1));
    std::wstring storedScript(script.size() + 1, L'?');
    std::memcpy(storedScript.data(), frame.data() + kScriptHeaderFixedSize, h.scriptBytes);
    EXPECT_EQ(storedScript, script + L'\0');
    // The string fields are zero behind their text.
    const wchar_t* path = h.sourcePath;
    for (size_t i = source.size(); i < kPathChars; ++i)
        ASSERT_EQ(path[i], L'\0') << "source path field at " << i;
}

void ExpectIndexRecord(const std::vector<BYTE>& frame, DWORD i)
{
    ASSERT_EQ(frame.size(), kFrameIndexSize);
    FrameIndexRecord r;
    std::memcpy(&r, frame.data(), sizeof(r));
    EXPECT_EQ(r.recordType, kFrameIndexType);
    EXPECT_EQ(r.deliver, 1u);
    EXPECT_EQ(r.frameNumber, i);
}

std::wstring RecordId(const std::vector<BYTE>& header)
{
    ScriptHeaderRecord h;
    std::memcpy(&h, header.data(), sizeof(h));
    return FieldText(h.recordId, kIdChars);
}

class CompanionWriterTest : public ::testing::Test {
protected:
    // A fresh folder per test under bin/companion_output, kept afterwards so
    // an independent reader can look at the files.
    std::wstring Folder(const std::wstring& name)
    {
        const fs::path dir = fs::current_path() / L"companion_output" / name;
        fs::remove_all(dir);
        fs::create_directories(dir);
        return dir.wstring() + L"\\";
    }

    ScopedRecordCopyCompressor m_compressor;
};

struct WriteCase {
    const wchar_t* name;
    TestMovieShape shape;
    const wchar_t* script;
    const wchar_t* variable;
    const wchar_t* scriptId;
};

// Source frames of 8x6x4 = 192 bytes: every header record is larger than the
// source's suggested buffer.
const WriteCase kWriteCases[] = {
    {L"five_frames", {8, 6, 5, 1, 25},
     L"Sub OnStart()\r\n  Frame = 3\r\nEnd Sub\r\n", L"Frame", L"ClipScript"},
    {L"empty_script", {8, 6, 3, 1001, 30000}, L"", L"V", L"S"},
    {L"one_frame", {8, 6, 1, 1, 25}, L"x = 1", L"Var", L"Id"},
    {L"no_frames", {8, 6, 0, 1, 25}, L"x = 1", L"Var", L"Id"},
    {L"names_at_field_width", {8, 6, 2, 1, 25}, L"' long names",
     L"Variable_name_of_exactly_39_characters_", L"Script_id_of_exactly_39_characters_____"},
};

TEST_F(CompanionWriterTest, WritesStreamFormatAndRecordsThatReadBack)
{
    ASSERT_TRUE(m_compressor.Installed());
    for (const WriteCase& wc : kWriteCases) {
        SCOPED_TRACE(testing::Message() << fs::path(wc.name).string());
        const std::wstring folder = Folder(wc.name);
        const std::wstring source = folder + L"clip.avi";
        ASSERT_HRESULT_SUCCEEDED(WriteVideoMovie(source, wc.shape));

        wchar_t companion[MAX_PATH];
        const HRESULT hr = WriteCompanionMovie(source.c_str(), companion, wc.script, wc.variable,
                                               wc.scriptId);
        ASSERT_GE(hr, 0) << std::hex << hr;
        EXPECT_EQ(std::wstring(companion), folder + L"clip_Drovel.avi");
        EXPECT_EQ(m_compressor.RefusedOversizeRecords(), 0);

        const CompanionContents c = ReadCompanion(companion);
        ASSERT_HRESULT_SUCCEEDED(c.openResult);
        EXPECT_EQ(c.fileStreams, 1u);
        EXPECT_EQ(c.stream.fccType, streamtypeVIDEO);
        EXPECT_EQ(c.stream.dwScale, wc.shape.scale);
        EXPECT_EQ(c.stream.dwRate, wc.shape.rate);
        EXPECT_EQ(c.stream.rcFrame.right, wc.shape.width);
        EXPECT_EQ(c.stream.rcFrame.bottom, wc.shape.height);
        EXPECT_EQ(c.format.biCompression, kDrvl);
        EXPECT_EQ(c.format.biWidth, wc.shape.width);
        EXPECT_EQ(c.format.biHeight, wc.shape.height);

        const DWORD written = wc.shape.frames > 0 ? wc.shape.frames : 1;
        ASSERT_EQ(c.stream.dwLength, written);
        ASSERT_EQ(c.frames.size(), written);
        ExpectHeaderRecord(c.frames[0], source, wc.shape.frames, wc.script, wc.variable,
                           wc.scriptId);
        for (DWORD i = 1; i < written; ++i)
            ExpectIndexRecord(c.frames[i], i);
        for (DWORD i = 0; i < written; ++i)
            EXPECT_TRUE(c.keyFrames[i]) << "frame " << i;
    }
}

TEST_F(CompanionWriterTest, EveryWriteGetsItsOwnRecordId)
{
    ASSERT_TRUE(m_compressor.Installed());
    const std::wstring source = Folder(L"twice") + L"clip.avi";
    ASSERT_HRESULT_SUCCEEDED(WriteVideoMovie(source, {8, 6, 2, 1, 25}));
    wchar_t companion[MAX_PATH];
    ASSERT_GE(WriteCompanionMovie(source.c_str(), companion, L"a", L"v", L"s"), 0);
    const std::wstring first = RecordId(ReadCompanion(companion).frames.at(0));
    ASSERT_GE(WriteCompanionMovie(source.c_str(), companion, L"a", L"v", L"s"), 0);
    const std::wstring second = RecordId(ReadCompanion(companion).frames.at(0));
    EXPECT_TRUE(IsBracedGuid(first));
    EXPECT_TRUE(IsBracedGuid(second));
    EXPECT_NE(first, second);
}

TEST_F(CompanionWriterTest, RefusesValuesThatDoNotFitTheirFieldAndTouchesNoFile)
{
    ASSERT_TRUE(m_compressor.Installed());
    const std::wstring folder = Folder(L"refused");
    const std::wstring source = folder + L"clip.avi";
    ASSERT_HRESULT_SUCCEEDED(WriteVideoMovie(source, {8, 6, 2, 1, 25}));
    const std::wstring forty(40, L'n');
    // A source path of 260 characters: one more than the field holds.
    const std::wstring longSource = folder + std::wstring(256 - folder.size(), L'p') + L".avi";
    ASSERT_EQ(longSource.size(), 260u);

    struct Refusal {
        const char* what;
        std::wstring source;
        std::wstring variable;
        std::wstring scriptId;
        HRESULT expected;
    };
    const Refusal refusals[] = {
        {"script id of 40", source, L"v", forty, E_INVALIDARG},
        {"variable of 40", source, forty, L"s", E_INVALIDARG},
        {"source path of 260", longSource, L"v", L"s",
         HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE)},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.what);
        wchar_t companion[MAX_PATH];
        EXPECT_EQ(WriteCompanionMovie(r.source.c_str(), companion, L"x", r.variable.c_str(),
                                      r.scriptId.c_str()),
                  r.expected);
        EXPECT_FALSE(fs::exists(folder + L"clip_Drovel.avi"));
    }
}

TEST_F(CompanionWriterTest, SourceWithoutVideoOrMissingFailsWithoutCreatingACompanion)
{
    ASSERT_TRUE(m_compressor.Installed());
    const std::wstring folder = Folder(L"no_video");
    const std::wstring audio = folder + L"sound.avi";
    ASSERT_HRESULT_SUCCEEDED(WriteAudioOnlyMovie(audio));

    for (const std::wstring name : {L"sound", L"missing"}) {
        wchar_t companion[MAX_PATH];
        const std::wstring source = folder + name + L".avi";
        EXPECT_LT(WriteCompanionMovie(source.c_str(), companion, L"x", L"v", L"s"), 0);
        EXPECT_EQ(std::wstring(companion), folder + name + L"_Drovel.avi");
        EXPECT_FALSE(fs::exists(companion));
    }
}

TEST_F(CompanionWriterTest, AFailedWriteReturnsTheFailureAndKeepsTheFramesBeforeIt)
{
    ASSERT_TRUE(m_compressor.Installed());
    struct FailCase {
        int failingFrame;
        size_t framesKept;
    };
    for (const FailCase fc : {FailCase{0, 0}, FailCase{3, 3}}) {
        SCOPED_TRACE(fc.failingFrame);
        const std::wstring source =
            Folder(L"fails_at_" + std::to_wstring(fc.failingFrame)) + L"clip.avi";
        ASSERT_HRESULT_SUCCEEDED(WriteVideoMovie(source, {8, 6, 6, 1, 25}));
        m_compressor.FailCompressCall(fc.failingFrame);
        wchar_t companion[MAX_PATH];
        EXPECT_LT(WriteCompanionMovie(source.c_str(), companion, L"x", L"v", L"s"), 0);
        m_compressor.FailCompressCall(-1);

        ASSERT_TRUE(fs::exists(companion));
        const CompanionContents c = ReadCompanion(companion);
        EXPECT_EQ(c.frames.size(), fc.framesKept);
        for (size_t i = 1; i < c.frames.size(); ++i)
            ExpectIndexRecord(c.frames[i], static_cast<DWORD>(i));
    }
}

} // namespace
