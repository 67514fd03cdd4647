#include "textvote/vote/VoteChart.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "chartcontrol/ControlLog.h"
#include "chartcontrol/SceneHelpers.h"
#include "base/text/WideFormat.h"
#include "base/win/UniqueHandle.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostElement.h"
#include "hostclient/HostImage.h"
#include "hostclient/HostScene.h"
#include "textvote/vote/VoteDownload.h"
#include "textvote/vote/VoteImageUpload.h"
#include "textvote/vote/VoteQuery.h"

const wchar_t kVoteImagePath[] = L"C:\\voting.jpg";

namespace {

const wchar_t kDownloadFailed[] = L"Error: Failure getting data from Voxtally server";
const wchar_t kPageTooLarge[] = L"Error: The answer of the Voxtally server is over %lld bytes; it is ignored";

bool ReadWholeFile(const std::wstring& path, long long size, std::string& bytes)
{
    UniqueStdioFile file(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return false;
    bytes.resize(static_cast<size_t>(size));
    bytes.resize(fread(&bytes[0], 1, bytes.size(), file.Get()));
    return true;
}

double LargestOfFirstThree(const VoteValues& values)
{
    return std::max({values[0], values[1], values[2]}) / 100.0;
}

}  // namespace

CVoteChart::CVoteChart(ApplicationSource application, SettingsReader readSettings)
    : m_application(std::move(application)), m_readSettings(std::move(readSettings))
{
}

bool CVoteChart::Start(const SYSTEMTIME& now)
{
    const VoteSettings settings = m_readSettings();
    try {
        CHostApplication application;
        application.Attach(m_application());
        std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
        if (!canvas)
            return false;
        const std::wstring sceneName = canvas->GetCurrentMessage();
        CFixedKeyframeRanges& ranges = m_rangesByScene[sceneName];
        if (std::unique_ptr<CHostScene> scene = canvas->GetScene())
            for (size_t i = 0; i < kVoteRowCount; ++i) {
                ranges.Remember(*scene, settings.bars[i], settings.barChannels[i]);
                ranges.Remember(*scene, settings.texts[i], settings.textChannels[i]);
            }
        m_sceneName = sceneName;
    } catch (const CHostException& e) {
        PostLogLine(L"Error: %s", e.Description().c_str());
        return false;
    }
    m_start = now;
    m_shown.fill(0);
    m_current.fill(0);
    m_firstPoll = true;
    return true;
}

void CVoteChart::Tick()
{
    Poll();
    if (m_firstPoll) {
        m_firstPoll = false;
        UpdateScene();
    } else if (m_current != m_shown) {
        UpdateScene();
    }
}

void CVoteChart::Poll()
{
    std::wstring path;
    if (!MakeTempFileName(path, L"html")) {
        PostLogLine(kDownloadFailed);
        return;
    }
    const CTemporaryFile page(path);
    const VoteSettings settings = m_readSettings();
    const std::wstring address = BuildVoteQuery(settings.url, settings.campaignId, m_start, m_reverseSort,
                                                static_cast<long>(GetTickCount()));
    PostLogLine(L"Connectiong To: %s", address.c_str());
    const VotePageDownload download = DownloadVotePage(address, page.Path());
    if (download != VotePageDownload::Downloaded) {
        if (download == VotePageDownload::TooLarge)
            PostLogLine(kPageTooLarge, kMaxVotePageBytes);
        PostLogLine(kDownloadFailed);
        return;
    }
    struct _stat64 status {};
    if (_wstat64(page.Path().c_str(), &status) != 0) {
        PostLogLine(L"Error: Downloaded data from Voxtally is zero length");
        return;
    }
    // The service may not have told the size while it downloaded.
    if (status.st_size > kMaxVotePageBytes) {
        PostLogLine(kPageTooLarge, kMaxVotePageBytes);
        PostLogLine(kDownloadFailed);
        return;
    }
    std::string text;
    if (!ReadWholeFile(page.Path(), status.st_size, text)) {
        PostLogLine(L"Error: Cannot open downloaded data file");
        return;
    }
    ParseVoteItems(text, m_current);
}

void CVoteChart::UpdateScene()
{
    const VoteSettings settings = m_readSettings();
    try {
        CHostApplication application;
        application.Attach(m_application());
        application.Open(m_sceneName);
        std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
        std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
        if (!scene)
            return;
        double newFractions[kVoteRowCount];
        double oldFractions[kVoteRowCount];
        for (size_t i = 0; i < kVoteRowCount; ++i) {
            newFractions[i] = m_current[i] / 100.0;
            oldFractions[i] = m_shown[i] / 100.0;
        }
        if (settings.bar4IsMax) {
            newFractions[3] = LargestOfFirstThree(m_current);
            oldFractions[3] = LargestOfFirstThree(m_shown);
        }
        CFixedKeyframeRanges& ranges = m_rangesByScene[m_sceneName];
        for (size_t i = 0; i < kVoteRowCount; ++i) {
            if (!settings.bars[i].empty())
                ranges.Apply(*scene, settings.bars[i], oldFractions[i], newFractions[i], settings.barChannels[i]);
            if (!settings.texts[i].empty()) {
                SetNodeText(*scene, settings.texts[i], FormatPercent(m_current[i]));
                ranges.Apply(*scene, settings.texts[i], oldFractions[i], newFractions[i], settings.textChannels[i]);
            }
        }
        m_shown = m_current;
        if (settings.ftpEnable)
            RenderAndUpload(*canvas, *scene, settings);
        scene->Play(true, true);
    } catch (const CHostException& e) {
        PostLogLine(L"Error: %s", e.Description().c_str());
    }
}

void CVoteChart::RenderAndUpload(CHostCanvas& canvas, CHostScene& scene, const VoteSettings& settings)
{
    canvas.SetFrame(scene.GetAnimationLength());
    std::unique_ptr<CHostElement> background = scene.GetBackground();
    std::unique_ptr<CHostImage> image = background ? background->GetImage() : nullptr;
    if (!image)
        return;
    // An image left from an earlier tick must never go out as this one's.
    if (!DeleteFileW(kVoteImagePath) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        PostLogLine(L"Error: Cannot delete the old image %s", kVoteImagePath);
        return;
    }
    image->SetUsePBuffer(true);
    const std::wstring options = FormatWide(L"scale%dX%d", settings.imageWidth, settings.imageHeight);
    const bool saved = image->Save(kVoteImagePath, options);
    if (!saved || GetFileAttributesW(kVoteImagePath) == INVALID_FILE_ATTRIBUTES) {
        PostLogLine(L"Error: The image %s was not saved; nothing is uploaded", kVoteImagePath);
        return;
    }
    UploadVoteImage(settings, m_ftpPort, kVoteImagePath);
}
