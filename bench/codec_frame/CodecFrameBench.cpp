// Time per AVIStreamGetFrame of a companion movie played through the DRVL
// codec (which reads the script's variable and copies a source frame)
// beside the same call on the source movie alone, at broadcast picture size.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/com/RefPtr.h"
#include "base/com/ScopedComApartment.h"
#include "base/win/UniqueHandle.h"
#include "motion/codec/test/CodecInstallTestSupport.h"
#include "motion/plugin/AviLibrary.h"
#include "motion/plugin/CompanionMovieWriter.h"
#include "motion/plugin/test/MovieTestSupport.h"

#include <vfw.h>

namespace {

constexpr TestMovieShape kShape = {720, 576, 25, 1, 25};
constexpr int kDefaultRounds = 10;
// Frames 1 to this are timed in every round; the script's variable stays
// inside the source movie.
constexpr LONG kTimedFrames = 22;
constexpr double kFrameBudgetMs = 20.0;   // one frame at 50 frames per second

const wchar_t kScript[] =
    L"Sub Startup\n"
    L"  Drovel.SetGlobal \"Frame\", 0\n"
    L"  Drovel.SetGlobal \"Delta-Frame\", 1\n"
    L"  Drovel.SetNamedEvent \"drvl-bench-ready\", 1\n"
    L"End Sub\n";

double Milliseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

struct Figures {
    std::vector<double> calls;   // milliseconds per call
    int failed = 0;

    double Median() const
    {
        if (calls.empty())
            return 0;
        std::vector<double> sorted = calls;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
    double Mean() const
    {
        double sum = 0;
        for (const double c : calls)
            sum += c;
        return calls.empty() ? 0 : sum / static_cast<double>(calls.size());
    }
};

// Times frames 1 to kTimedFrames of one open of the movie.
void TimeFrames(const std::wstring& path, HANDLE ready, Figures& figures)
{
    RefPtr<IAVIFile> file;
    RefPtr<IAVIStream> stream;
    if (FAILED(AVIFileOpenW(file.Put(), path.c_str(), OF_READ, nullptr)) ||
        FAILED(AVIFileGetStream(file.Get(), stream.Put(), streamtypeVIDEO, 0))) {
        ++figures.failed;
        return;
    }
    UniqueGetFrame frames(AVIStreamGetFrameOpen(stream.Get(), nullptr));
    if (!frames) {
        ++figures.failed;
        return;
    }
    // The header frame starts the script; timing begins once it has run.
    if (!AVIStreamGetFrame(frames.Get(), 0) || (ready && WaitForSingleObject(ready, 20000) != WAIT_OBJECT_0))
        ++figures.failed;
    for (LONG frame = 1; frame <= kTimedFrames; ++frame) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const void* picture = AVIStreamGetFrame(frames.Get(), frame);
        QueryPerformanceCounter(&end);
        if (picture)
            figures.calls.push_back(Milliseconds(end.QuadPart - start.QuadPart));
        else
            ++figures.failed;
    }
    frames.Reset();   // ends the script before the next round waits for it
    if (ready)
        ResetEvent(ready);
}

void Print(const char* label, const Figures& figures)
{
    printf("%-28s %5zu calls, median %8.3f ms, mean %8.3f ms, %d failed\n", label, figures.calls.size(),
           figures.Median(), figures.Mean(), figures.failed);
}

int Run(int rounds)
{
    ScopedCodecInstall install;
    if (!install.Installed()) {
        fprintf(stderr, "the codec could not be installed\n");
        return 1;
    }
    const std::filesystem::path folder = std::filesystem::absolute(L"codec_frame_bench");
    std::filesystem::create_directories(folder);
    const std::wstring source = (folder / L"pal.avi").wstring();
    wchar_t companion[MAX_PATH];
    if (FAILED(WriteVideoMovie(source, kShape)) ||
        FAILED(WriteCompanionMovie(source.c_str(), companion, kScript, L"Frame", L"bench"))) {
        fprintf(stderr, "the movies could not be written\n");
        return 1;
    }
    const UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, L"drvl-bench-ready"));
    Figures throughCodec, sourceAlone;
    for (int round = 0; round < rounds; ++round) {
        TimeFrames(companion, ready.Get(), throughCodec);
        TimeFrames(source, nullptr, sourceAlone);
    }
    printf("%ldx%ld 32-bit frames, %d rounds of %ld frames\n", kShape.width, kShape.height, rounds, kTimedFrames);
    Print("companion through DRVL", throughCodec);
    Print("source movie alone", sourceAlone);
    const double codecCost = throughCodec.Median() - sourceAlone.Median();
    if (sourceAlone.Median() > 0)
        printf("ratio companion / source (median): %.2f\n", throughCodec.Median() / sourceAlone.Median());
    printf("codec's own cost per frame (median difference): %.3f ms = %.1f%% of a %.0f ms frame\n", codecCost,
           100.0 * codecCost / kFrameBudgetMs, kFrameBudgetMs);
    std::filesystem::remove_all(folder);
    return throughCodec.failed + sourceAlone.failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : kDefaultRounds;
    const ScopedComApartment com;
    if (!com) {
        fprintf(stderr, "COM did not start\n");
        return 1;
    }
    const AviLibrary library;
    return Run(rounds);
}
