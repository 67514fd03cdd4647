// vote_demo: the text-vote page as the demo shows it. A simulated host
// loads vote-scene.xml; the page, pointed at the stand-in vote service and
// the FTP server (run-with-votes.sh, run-with-ftp.sh), is started, the
// service's answers change once, and what the scene and the server then hold
// is printed.
//   vote_demo <vote-scene.xml>
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "chartcontrol/QuillonDoc.h"
#include "base/com/ScopedComApartment.h"
#include "base/text/TextConversion.h"
#include "base/text/WideFormat.h"
#include "base/win/UniqueHandle.h"
#include "platform/net/WinsockRuntime.h"
#include "testing/simhost/SimHost.h"
#include "testing/uitest/PumpUntil.h"
#include "textvote/vote/SMSDialog.h"
#include "textvote/vote/SMSDialogIds.h"

namespace {

void Print(const std::wstring& text)
{
    const std::string bytes = WideToNarrow(text + L"\n", CP_UTF8);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
}

std::wstring Setting(const wchar_t* name)
{
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length < 1024 ? std::wstring(value, length) : std::wstring();
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

std::string FileBytes(const std::wstring& path)
{
    std::string bytes;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        char buffer[4096];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, got);
        fclose(file);
    }
    return bytes;
}

bool Answer(int a, int b, int c)
{
    const std::string page = "<html><body><p>Yes: " + std::to_string(a) + "%</p><p>No: " + std::to_string(b) +
                             "%</p><p>Undecided: " + std::to_string(c) + "%</p></body></html>";
    return WriteFileBytes(Setting(L"VOTE_SERVICE_ANSWER"), page);
}

void PrintScene(CSimScene& scene)
{
    for (int row = 1; row <= 3; ++row) {
        const std::wstring n = std::to_wstring(row);
        std::wstring keys;
        for (const CSimKeyFrame* key : scene.Find(L"BAR" + n)->TransformOf(L"").keyFrames->frames)
            keys += FormatWide(L" frame %ld = %.3f", key->frame, key->value);
        const std::wstring& text = scene.Template(L"PERCENT" + n)->text->text;
        Print(L"    BAR" + n + L" YScale" + keys + L", PERCENT" + n + L" \"" + text + L"\"");
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2 || Setting(L"VOTE_SERVICE_URL").empty() || Setting(L"FTP_PEER_PORT").empty()) {
        Print(L"usage: run-with-votes.sh run-with-ftp.sh vote_demo.exe <vote-scene.xml>");
        return 2;
    }
    const ScopedComApartment com;
    if (!com || !EnsureWinsockStarted())
        return 2;
    CSimHost host;
    std::wstring error;
    if (!host.OpenSceneFile(argv[1], error)) {
        Print(L"cannot load the scene: " + error);
        return 1;
    }
    CSimScene& scene = *host.ActiveScene();
    host.Canvas().currentMessage = scene.name;
    CQuillonDoc document;
    document.SetApplication(host.Application());
    {
        CXmlNodePtr root = document.GetRoot();
        CXmlNode* sms = new CXmlNode(root.Get(), L"SMS");
        const wchar_t* const rows[][2] = {
            {L"campaignid", L"755"},    {L"bar1", L"BAR1"},         {L"bar2", L"BAR2"},
            {L"bar3", L"BAR3"},         {L"text1", L"PERCENT1"},    {L"text2", L"PERCENT2"},
            {L"text3", L"PERCENT3"},    {L"bar1attrib", L"YScale"}, {L"bar2attrib", L"YScale"},
            {L"bar3attrib", L"YScale"}, {L"text1attrib", L"XPos"},  {L"text2attrib", L"XPos"},
            {L"text3attrib", L"XPos"},
        };
        for (const auto& row : rows)
            sms->SetAttribute(row[0], row[1]);
        sms->SetAttribute(L"url", Setting(L"VOTE_SERVICE_URL").c_str());
        sms->SetAttribute(L"ftpServer", L"127.0.0.1");
        sms->SetAttribute(L"ftpUsername", Setting(L"FTP_PEER_USER").c_str());
        sms->SetAttribute(L"ftpPassword", Setting(L"FTP_PEER_PASSWORD").c_str());
        sms->SetAttribute(L"ftpFile", L"votes.jpg");
        sms->SetAttributeInt(L"ftpEnable", 1);
    }
    UniqueWindow editor(CreateWindowExW(0, L"STATIC", L"editor", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                                        nullptr, nullptr, nullptr));
    CSMSDialog* page = new CSMSDialog(editor.Get(), &document);  // deletes itself with its window
    const HWND window = page->GetSafeHwnd();
    page->Chart().SetFtpPort(static_cast<unsigned short>(_wtoi(Setting(L"FTP_PEER_PORT").c_str())));

    Answer(40, 35, 25);
    SendDlgItemMessageW(window, IDC_SMS_START, BM_CLICK, 0, 0);
    Print(L"  Start: the first poll answers Yes 40 %, No 35 %, Undecided 25 %");
    PrintScene(scene);
    Answer(48, 30, 22);
    const bool moved = PumpUntil([&] { return scene.Template(L"PERCENT1")->text->text == L"48 %"; }, 30000);
    Print(moved ? L"  Two seconds later the answers are 48 %, 30 %, 22 %:" : L"  The second answer never arrived");
    PrintScene(scene);
    SendDlgItemMessageW(window, IDC_SMS_STOP, BM_CLICK, 0, 0);

    const std::string uploaded = FileBytes(Setting(L"FTP_PEER_ROOT") + L"\\votes.jpg");
    const bool same = !uploaded.empty() && uploaded == FileBytes(kVoteImagePath);
    Print(FormatWide(L"  Stop. The FTP server holds votes.jpg, %u bytes, %s the rendered C:\\voting.jpg",
                     static_cast<unsigned>(uploaded.size()), same ? L"the same as" : L"NOT the same as"));
    DestroyWindow(window);
    return moved && same ? 0 : 1;
}
