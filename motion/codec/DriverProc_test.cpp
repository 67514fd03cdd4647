// The codec's entry called directly, through the DLL's export.
#include "motion/codec/CodecFormats.h"
#include "motion/codec/test/CodecInstallTestSupport.h"

#include "motion/plugin/test/MovieTestSupport.h"
#include "motion/records/CompanionRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>
#include <vfw.h>

using namespace companion;

namespace {

using DriverProcFn = LRESULT(WINAPI*)(DWORD_PTR, HDRVR, UINT, LPARAM, LPARAM);

std::vector<BYTE> HeaderRecord(const std::wstring& script, const wchar_t* sourcePath = L"Z:\\no\\such.avi",
                               const wchar_t* recordId = L"{00000000-0000-0000-0000-000000000001}")
{
    std::vector<BYTE> record(static_cast<size_t>(ScriptHeaderSize(script.size())), 0);
    auto* header = reinterpret_cast<ScriptHeaderRecord*>(record.data());
    header->recordType = kScriptHeaderType;
    header->reserved = kHeaderReservedValue;
    wcsncpy(header->recordId, recordId, kIdChars - 1);
    wcsncpy(header->sourcePath, sourcePath, kPathChars - 1);
    wcsncpy(header->scriptId, L"direct", kIdChars - 1);
    wcsncpy(header->variableName, L"Frame", kIdChars - 1);
    header->scriptOffset = kScriptHeaderFixedSize;
    header->scriptBytes = static_cast<uint32_t>(2 * (script.size() + 1));
    std::memcpy(record.data() + kScriptHeaderFixedSize, script.c_str(), header->scriptBytes);
    return record;
}

std::vector<BYTE> IndexRecord(uint32_t type, uint32_t deliver, uint32_t frame)
{
    std::vector<BYTE> record(kFrameIndexSize);
    const uint32_t fields[] = {type, deliver, frame};
    std::memcpy(record.data(), fields, sizeof(fields));
    return record;
}

BITMAPINFOHEADER Format(DWORD compression, WORD bits, DWORD sizeImage = 0)
{
    BITMAPINFOHEADER format = {};
    format.biSize = sizeof(format);
    format.biWidth = 4;
    format.biHeight = 2;
    format.biPlanes = 1;
    format.biBitCount = bits;
    format.biCompression = compression;
    format.biSizeImage = sizeImage;
    return format;
}

class DriverProcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module.Reset(LoadLibraryW(L"DRVL.dll"));
        ASSERT_TRUE(m_module);
        m_proc = reinterpret_cast<DriverProcFn>(GetProcAddress(m_module.Get(), "DriverProc"));
        ASSERT_NE(m_proc, nullptr);
        ASSERT_EQ(Send(0, DRV_LOAD), 1);
        m_id = static_cast<DWORD_PTR>(Send(0, DRV_OPEN));
        ASSERT_NE(m_id, 0u);
    }
    void TearDown() override
    {
        if (m_id) {
            EXPECT_EQ(Send(m_id, DRV_CLOSE), 1);
        }
        EXPECT_EQ(Send(0, DRV_FREE), 1);
        m_module.Reset();
    }

    LRESULT Send(DWORD_PTR id, UINT message, LPARAM p1 = 0, LPARAM p2 = 0)
    {
        return m_proc(id, nullptr, message, p1, p2);
    }
    template <typename T1, typename T2 = std::nullptr_t>
    LRESULT Send(DWORD_PTR id, UINT message, T1* p1, T2* p2 = nullptr)
    {
        return Send(id, message, reinterpret_cast<LPARAM>(p1), reinterpret_cast<LPARAM>(p2));
    }

    // Compresses one record with the output size the codec announced.
    LRESULT Compress(const std::vector<BYTE>& record, DWORD announced, std::vector<BYTE>& output, DWORD& size)
    {
        BITMAPINFOHEADER input = Format(BI_RGB, 32, announced);
        EXPECT_EQ(Send(m_id, ICM_COMPRESS_GET_SIZE, &input), static_cast<LRESULT>(announced));
        BITMAPINFOHEADER outputFormat = {};
        Send(m_id, ICM_COMPRESS_GET_FORMAT, &input, &outputFormat);
        outputFormat.biSizeImage = 0xDEAD;
        output.assign(announced + 64, 0xEE);
        DWORD chunkId = 0, flags = 0;
        ICCOMPRESS c = {};
        c.lpbiOutput = &outputFormat;
        c.lpOutput = output.data();
        c.lpbiInput = &input;
        c.lpInput = const_cast<BYTE*>(record.data());
        c.lpckid = &chunkId;
        c.lpdwFlags = &flags;
        const LRESULT result = Send(m_id, ICM_COMPRESS, &c, reinterpret_cast<void*>(sizeof(c)));
        size = outputFormat.biSizeImage;
        if (result == ICERR_OK) {
            EXPECT_EQ(chunkId, kDrvlFourCC);
            EXPECT_EQ(flags, static_cast<DWORD>(AVIIF_KEYFRAME));
        }
        return result;
    }

    LRESULT Decompress(const std::vector<BYTE>& record, DWORD sampleSize, std::vector<BYTE>& picture)
    {
        return DecompressOn(m_id, record, sampleSize, picture);
    }

    // `outputSize` is the size the output format states; the buffer always
    // holds a whole 4 x 2 picture.
    LRESULT DecompressOn(DWORD_PTR id, const std::vector<BYTE>& record, DWORD sampleSize, std::vector<BYTE>& picture,
                         DWORD outputSize = 4 * 2 * 4)
    {
        BITMAPINFOHEADER input = Format(kDrvlFourCC, 32, sampleSize);
        BITMAPINFOHEADER output = Format(BI_RGB, 32, outputSize);
        picture.assign(4 * 2 * 4, 0xEE);
        ICDECOMPRESS d = {};
        d.lpbiInput = &input;
        d.lpInput = const_cast<BYTE*>(record.data());
        d.lpbiOutput = &output;
        d.lpOutput = picture.data();
        return Send(id, ICM_DECOMPRESS, &d, reinterpret_cast<void*>(sizeof(d)));
    }

    UniqueModule m_module;
    DriverProcFn m_proc = nullptr;
    DWORD_PTR m_id = 0;
};

TEST_F(DriverProcTest, MessagesAnswerWithAndWithoutAnInstance)
{
    BITMAPINFOHEADER drvl = Format(kDrvlFourCC, 32, 100);
    BITMAPINFOHEADER rgb = Format(BI_RGB, 32, 100);
    BITMAPINFOHEADER out = {};
    ICCOMPRESS compress = {};
    ICDECOMPRESS decompress = {};
    struct Case { UINT message; LPARAM p1; LPARAM p2; LRESULT withInstance; LRESULT withoutInstance; };
    const auto P = [](const void* p) { return reinterpret_cast<LPARAM>(p); };
    const Case cases[] = {
        {DRV_ENABLE, 0, 0, 1, 1},
        {DRV_DISABLE, 0, 0, 1, 1},
        {DRV_QUERYCONFIGURE, 0, 0, 1, 1},
        {DRV_CONFIGURE, 0, 0, 1, 1},
        {DRV_INSTALL, 0, 0, 1, 1},
        {DRV_REMOVE, 0, 0, 1, 1},
        {ICM_GETSTATE, 0, 0, 0, 0},
        {ICM_SETSTATE, 0, 0, 0, 0},
        {ICM_CONFIGURE, -1, 0, 0, 0},
        {ICM_ABOUT, -1, 0, 0, 0},
        {ICM_ABOUT, 0, 0, 0, 0},
        {ICM_GETINFO, 0, 0, sizeof(ICINFO), 0},
        {ICM_COMPRESS_GET_FORMAT, P(&rgb), 0, 40, ICERR_ERROR},
        {ICM_COMPRESS_GET_SIZE, P(&rgb), 0, 100, 0},
        {ICM_COMPRESS_BEGIN, P(&rgb), P(&out), 0, ICERR_ERROR},
        {ICM_COMPRESS_END, 0, 0, 0, ICERR_ERROR},
        {ICM_COMPRESS, P(&compress), sizeof(compress), ICERR_ERROR, ICERR_ERROR},
        {ICM_DECOMPRESS_GET_FORMAT, P(&drvl), 0, 40, ICERR_ERROR},
        {ICM_DECOMPRESS_QUERY, P(&drvl), P(&rgb), 0, ICERR_ERROR},
        {ICM_DECOMPRESS_BEGIN, P(&drvl), P(&rgb), 0, ICERR_ERROR},
        {ICM_DECOMPRESS, P(&decompress), sizeof(decompress), ICERR_ERROR, ICERR_ERROR},
        {ICM_DECOMPRESS_END, 0, 0, 0, ICERR_ERROR},
        {ICM_DRAW_START, 0, 0, 0, ICERR_ERROR},
        {ICM_DRAW_STOP, 0, 0, 0, ICERR_ERROR},
        {ICM_DECOMPRESS_GET_PALETTE, P(&drvl), 0, ICERR_BADFORMAT, ICERR_ERROR},
        {ICM_COMPRESS_FRAMES_INFO, 0, 0, 0, ICERR_ERROR},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Send(m_id, c.message, c.p1, c.p2), c.withInstance) << std::hex << c.message;
        EXPECT_EQ(Send(0, c.message, c.p1, c.p2), c.withoutInstance) << std::hex << c.message;
    }
}

TEST_F(DriverProcTest, AClosedIdBehavesAsIdZero)
{
    const DWORD_PTR second = static_cast<DWORD_PTR>(Send(0, DRV_OPEN));
    ASSERT_NE(second, 0u);
    BITMAPINFOHEADER rgb = Format(BI_RGB, 32, 100);
    EXPECT_EQ(Send(second, ICM_COMPRESS_GET_SIZE, &rgb), 100);
    EXPECT_EQ(Send(second, DRV_CLOSE), 1);
    EXPECT_EQ(Send(second, ICM_COMPRESS_GET_SIZE, &rgb), 0);
    EXPECT_EQ(Send(second, ICM_COMPRESS_BEGIN, &rgb), ICERR_ERROR);
    EXPECT_EQ(Send(second, DRV_CLOSE), 1);   // closing again changes nothing
    EXPECT_EQ(Send(m_id, ICM_COMPRESS_GET_SIZE, &rgb), 100);
}

TEST_F(DriverProcTest, InformationBlockNamesTheCodec)
{
    EXPECT_EQ(Send(m_id, ICM_GETINFO, static_cast<ICINFO*>(nullptr), reinterpret_cast<void*>(sizeof(ICINFO))),
              static_cast<LRESULT>(sizeof(ICINFO)));
    ICINFO info;
    std::memset(&info, 0xCC, sizeof(info));
    EXPECT_EQ(Send(m_id, ICM_GETINFO, &info, reinterpret_cast<void*>(sizeof(ICINFO) - 1)), 0);
    EXPECT_EQ(info.dwSize, 0xCCCCCCCCu);
    ASSERT_EQ(Send(m_id, ICM_GETINFO, &info, reinterpret_cast<void*>(sizeof(ICINFO))),
              static_cast<LRESULT>(sizeof(ICINFO)));
    EXPECT_EQ(info.dwSize, sizeof(ICINFO));
    EXPECT_EQ(info.fccType, ICTYPE_VIDEO);
    EXPECT_EQ(info.fccHandler, kDrvlFourCC);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.dwVersion, 0x10000u);
    EXPECT_EQ(info.dwVersionICM, static_cast<DWORD>(ICVERSION));
    EXPECT_STREQ(info.szName, L"Velmora Drovel");
    EXPECT_STREQ(info.szDescription, L"Drovel 1.0");
}

TEST_F(DriverProcTest, FormatAnswersAndDecompressQueries)
{
    BITMAPINFOHEADER input = Format(BI_RGB, 24, 777);
    input.biClrUsed = 5;
    BITMAPINFOHEADER compressed = {};
    ASSERT_EQ(Send(m_id, ICM_COMPRESS_GET_FORMAT, &input, &compressed), ICERR_OK);
    EXPECT_EQ(compressed.biCompression, kDrvlFourCC);
    EXPECT_EQ(compressed.biBitCount, 32);
    EXPECT_EQ(compressed.biClrUsed, 0u);
    EXPECT_EQ(compressed.biSizeImage, 777u);
    EXPECT_EQ(compressed.biWidth, 4);

    BITMAPINFOHEADER decompressed = {};
    ASSERT_EQ(Send(m_id, ICM_DECOMPRESS_GET_FORMAT, &compressed, &decompressed), ICERR_OK);
    EXPECT_EQ(decompressed.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(decompressed.biBitCount, 32);
    EXPECT_EQ(decompressed.biPlanes, 1);
    // A picture's size, not the largest record's.
    EXPECT_EQ(decompressed.biSizeImage, 4u * 2u * 4u);

    struct Case { const char* what; DWORD input; DWORD output; WORD bits; bool nullOutput; LRESULT result; };
    const Case cases[] = {
        {"RGB 32", kDrvlFourCC, BI_RGB, 32, false, ICERR_OK},
        {"DIB space", kDrvlFourCC, mmioFOURCC('D', 'I', 'B', ' '), 32, false, ICERR_OK},
        {"DIB zero", kDrvlFourCC, mmioFOURCC('D', 'I', 'B', '\0'), 32, false, ICERR_OK},
        {"any output", kDrvlFourCC, 0, 0, true, ICERR_OK},
        {"RGB 24", kDrvlFourCC, BI_RGB, 24, false, ICERR_BADFORMAT},
        {"DIB 16: pictures are 32-bit", kDrvlFourCC, mmioFOURCC('D', 'I', 'B', ' '), 16, false, ICERR_BADFORMAT},
        {"other output", kDrvlFourCC, mmioFOURCC('M', 'J', 'P', 'G'), 32, false, ICERR_BADFORMAT},
        {"other input", mmioFOURCC('D', 'I', 'B', ' '), BI_RGB, 32, false, ICERR_BADFORMAT},
    };
    for (const Case& c : cases) {
        BITMAPINFOHEADER in = Format(c.input, 32);
        BITMAPINFOHEADER out = Format(c.output, c.bits);
        EXPECT_EQ(Send(m_id, ICM_DECOMPRESS_QUERY, &in, c.nullOutput ? nullptr : &out), c.result) << c.what;
    }
}

TEST_F(DriverProcTest, PicturesBeyondTheSizeLimitAreRefusedInEveryNegotiation)
{
    struct Case { const char* what; LONG width, height; bool decodable; };
    const Case cases[] = {
        {"4096 x 4096, the largest", 4096, 4096, true},
        {"4096 x -4096, top-down", 4096, -4096, true},
        {"16384 x 1024, the widest", 16384, 1024, true},
        {"4097 x 4096, past 64 MB", 4097, 4096, false},
        {"16385 x 1, too wide", 16385, 1, false},
        {"32768 x 32768, 4 GB", 32768, 32768, false},
        {"65536 x 65536, wraps to 0 in 32 bits", 65536, 65536, false},
        {"1 x -2147483647", 1, -2147483647, false},
        {"0 x 4", 0, 4, false},
        {"-4 x 4", -4, 4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BITMAPINFOHEADER drvl = Format(kDrvlFourCC, 32);
        drvl.biWidth = c.width;
        drvl.biHeight = c.height;
        BITMAPINFOHEADER rgb = drvl;
        rgb.biCompression = BI_RGB;
        const LRESULT expected = c.decodable ? ICERR_OK : ICERR_BADFORMAT;
        EXPECT_EQ(Send(m_id, ICM_DECOMPRESS_QUERY, &drvl), expected);
        EXPECT_EQ(Send(m_id, ICM_DECOMPRESS_QUERY, &drvl, &rgb), expected);
        BITMAPINFOHEADER small = Format(kDrvlFourCC, 32);
        EXPECT_EQ(Send(m_id, ICM_DECOMPRESS_QUERY, &small, &rgb), expected) << "output";
        BITMAPINFOHEADER answer = {};
        EXPECT_EQ(Send(m_id, ICM_DECOMPRESS_GET_FORMAT, &drvl, &answer), expected);
        if (c.decodable) {
            EXPECT_EQ(answer.biSizeImage, static_cast<DWORD>(4ull * c.width * std::abs(c.height)));
        }
    }
}

TEST_F(DriverProcTest, CompressPassesRecordsThroughWithinTheAnnouncedSize)
{
    // A script size whose sum with the fixed part passes 32 bits: a narrower
    // sum would wrap to 679 bytes and fit.
    std::vector<BYTE> hugeScript = HeaderRecord(L"");
    const uint32_t hugeBytes = 0xFFFFFFFFu - 100;
    std::memcpy(hugeScript.data() + offsetof(ScriptHeaderRecord, scriptBytes), &hugeBytes, sizeof(hugeBytes));
    struct Case { const char* what; std::vector<BYTE> record; DWORD announced; LRESULT result; DWORD size; };
    const Case cases[] = {
        {"script size past 32 bits", hugeScript, 1000, ICERR_MEMORY, 0xDEAD},
        {"empty script header", HeaderRecord(L""), 1000, ICERR_OK, 782},
        {"header with script", HeaderRecord(L"Sub Startup\nEnd Sub\n"), 1000, ICERR_OK, 780 + 2 * 21},
        {"index record", IndexRecord(kFrameIndexType, 1, 7), 1000, ICERR_OK, 12},
        {"unknown type", IndexRecord(3, 1, 7), 1000, ICERR_ERROR, 0xDEAD},
        {"header larger than announced", HeaderRecord(L"x"), 783, ICERR_MEMORY, 0xDEAD},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> output;
        DWORD size = 0;
        EXPECT_EQ(Compress(c.record, c.announced, output, size), c.result) << c.what;
        EXPECT_EQ(size, c.size) << c.what;
        if (c.result == ICERR_OK) {
            EXPECT_TRUE(std::equal(c.record.begin(), c.record.end(), output.begin())) << c.what;
            EXPECT_EQ(output[c.record.size()], 0xEE) << c.what;
        } else {
            EXPECT_EQ(output[0], 0xEE) << c.what;   // nothing copied
        }
    }
}

TEST_F(DriverProcTest, DecompressRefusesRecordsThatDoNotHoldTogether)
{
    const std::vector<BYTE> header = HeaderRecord(L"Sub Startup\nEnd Sub\n");
    std::vector<BYTE> unterminatedId = header;
    wchar_t* const id = reinterpret_cast<ScriptHeaderRecord*>(unterminatedId.data())->recordId;
    std::wmemset(id, L'A', kIdChars);
    std::vector<BYTE> scriptPastSample = header;
    const uint32_t tooMany = static_cast<uint32_t>(header.size());
    std::memcpy(scriptPastSample.data() + 776, &tooMany, sizeof(tooMany));
    std::vector<BYTE> unterminatedScript = header;
    unterminatedScript[unterminatedScript.size() - 2] = 'x';
    struct Case { const char* what; std::vector<BYTE> record; DWORD sampleSize; };
    const Case cases[] = {
        {"index before any header", IndexRecord(kFrameIndexType, 1, 1), kFrameIndexSize},
        {"index that asks for no picture", IndexRecord(kFrameIndexType, 0, 1), kFrameIndexSize},
        {"index cut short", IndexRecord(kFrameIndexType, 1, 1), 8},
        {"unknown type", IndexRecord(3, 1, 1), kFrameIndexSize},
        {"header cut short", header, 700},
        {"record id not terminated", unterminatedId, static_cast<DWORD>(header.size())},
        {"script past the sample", scriptPastSample, static_cast<DWORD>(header.size())},
        {"script not terminated", unterminatedScript, static_cast<DWORD>(header.size())},
        {"source that does not exist", header, static_cast<DWORD>(header.size())},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> picture;
        EXPECT_EQ(Decompress(c.record, c.sampleSize, picture), ICERR_ERROR) << c.what;
        EXPECT_EQ(picture[0], 0xEE) << c.what;
    }
}

TEST_F(DriverProcTest, InstancesOpenAndCloseOnSeveralThreadsAtOnce)
{
    // Players on several threads: every open, message and close of one
    // thread meets the others' in the set of live instances.
    constexpr int kThreads = 4;
    constexpr int kRounds = 5000;
    std::atomic<int> failures{0};
    std::vector<std::thread> players;
    for (int t = 0; t < kThreads; ++t) {
        players.emplace_back([&] {
            BITMAPINFOHEADER rgb = Format(BI_RGB, 32, 100);
            for (int round = 0; round < kRounds; ++round) {
                const DWORD_PTR id = static_cast<DWORD_PTR>(Send(0, DRV_OPEN));
                // (A closed id may come back at once as another thread's instance.)
                if (!id || Send(id, ICM_COMPRESS_GET_SIZE, &rgb) != 100 || Send(id, DRV_CLOSE) != 1)
                    ++failures;
            }
        });
    }
    for (std::thread& player : players)
        player.join();
    EXPECT_EQ(failures.load(), 0);
    BITMAPINFOHEADER rgb = Format(BI_RGB, 32, 100);
    EXPECT_EQ(Send(m_id, ICM_COMPRESS_GET_SIZE, &rgb), 100);
}

// Decompressing with a real source movie starts a runner thread in the
// codec; every way the codec is left stops it.
class DriverProcRunnerTest : public DriverProcTest {
protected:
    void SetUp() override
    {
        DriverProcTest::SetUp();
        const std::filesystem::path folder = std::filesystem::absolute(L"drvl_direct");
        std::filesystem::create_directories(folder);
        m_source = (folder / L"clip.avi").wstring();
        ASSERT_EQ(WriteVideoMovie(m_source, {4, 2, 3, 1, 25}), S_OK);
    }

    // The one runner thread the codec has, or null.
    DWORD RunnerThreadId()
    {
        const std::vector<UniqueKernelHandle> threads = CodecThreads();
        return threads.size() == 1 ? GetThreadId(threads[0].Get()) : 0;
    }

    std::vector<BYTE> Header(const wchar_t* recordId)
    {
        return HeaderRecord(L"Sub Startup\nEnd Sub\n", m_source.c_str(), recordId);
    }

    std::wstring m_source;
};

TEST_F(DriverProcRunnerTest, TheSameHeaderAgainOnlyDeliversAndANewOneRestartsTheScript)
{
    std::vector<BYTE> picture;
    const std::vector<BYTE> first = Header(L"{00000000-0000-0000-0000-00000000000A}");
    ASSERT_EQ(Decompress(first, static_cast<DWORD>(first.size()), picture), ICERR_OK);
    const DWORD runner = RunnerThreadId();
    ASSERT_NE(runner, 0u);
    ASSERT_EQ(Decompress(first, static_cast<DWORD>(first.size()), picture), ICERR_OK);
    EXPECT_EQ(RunnerThreadId(), runner);
    EXPECT_EQ(Decompress(IndexRecord(kFrameIndexType, 1, 1), kFrameIndexSize, picture), ICERR_OK);

    const std::vector<BYTE> second = Header(L"{00000000-0000-0000-0000-00000000000B}");
    ASSERT_EQ(Decompress(second, static_cast<DWORD>(second.size()), picture), ICERR_OK);
    const DWORD restarted = RunnerThreadId();
    EXPECT_NE(restarted, 0u);
    EXPECT_NE(restarted, runner);
    EXPECT_EQ(Send(m_id, ICM_DECOMPRESS_END), ICERR_OK);
    EXPECT_TRUE(CodecThreads().empty());
}

TEST_F(DriverProcRunnerTest, APictureIsCopiedNoFurtherThanTheOutputSizeSays)
{
    // Frame 0 of the source is all zero bytes; a stated size of 0 means the
    // format's own picture size.
    struct Case { DWORD outputSize; size_t written; };
    const Case cases[] = {{32, 32}, {16, 16}, {1, 1}, {0, 32}};
    const std::vector<BYTE> header = Header(L"{00000000-0000-0000-0000-00000000000D}");
    for (const Case& c : cases) {
        std::vector<BYTE> picture;
        ASSERT_EQ(DecompressOn(m_id, header, static_cast<DWORD>(header.size()), picture, c.outputSize), ICERR_OK)
            << c.outputSize;
        EXPECT_EQ(std::count(picture.begin(), picture.end(), 0), static_cast<std::ptrdiff_t>(c.written))
            << c.outputSize;
        EXPECT_TRUE(std::all_of(picture.begin() + c.written, picture.end(), [](BYTE b) { return b == 0xEE; }))
            << "written past the stated size " << c.outputSize;
    }
    EXPECT_EQ(Send(m_id, ICM_DECOMPRESS_END), ICERR_OK);
}

TEST_F(DriverProcRunnerTest, ClosingOrFreeingWithoutEndingDecompressionStopsTheRunner)
{
    for (const UINT message : {UINT(DRV_CLOSE), UINT(DRV_FREE)}) {
        const DWORD_PTR id = static_cast<DWORD_PTR>(Send(0, DRV_OPEN));
        ASSERT_NE(id, 0u);
        std::vector<BYTE> picture;
        const std::vector<BYTE> header = Header(L"{00000000-0000-0000-0000-00000000000C}");
        ASSERT_EQ(DecompressOn(id, header, static_cast<DWORD>(header.size()), picture), ICERR_OK) << message;
        ASSERT_EQ(CodecThreads().size(), 1u) << message;
        EXPECT_EQ(Send(message == DRV_CLOSE ? id : 0, message), 1) << message;
        EXPECT_TRUE(CodecThreads().empty()) << message;
        if (message == DRV_FREE) {
            EXPECT_EQ(Send(id, DRV_CLOSE), 1);
        }
    }
}

}  // namespace
