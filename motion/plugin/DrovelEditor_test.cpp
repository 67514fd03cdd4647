// The script editor of DrovelLEIFlet.ocx, opened by the host's Execute and
// driven with real window messages: what OK writes back, the companion
// movie it switches to and plays through the DRVL codec, the failures it
// shows, and the editor's look and size.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <windows.h>
#include <vfw.h>

#include "common/editor/ScintillaMessages.h"
#include "base/text/WideFormat.h"
#include "base/win/UniqueHandle.h"
#include "motion/codec/test/CodecInstallTestSupport.h"
#include "motion/codec/test/CompanionPlaybackTestSupport.h"
#include "motion/plugin/CompanionMovieWriter.h"
#include "motion/plugin/DrovelLEIFletIds.h"
#include "motion/plugin/DrovelLEIFletResources.h"
#include "motion/plugin/test/DrovelPluginTestSupport.h"
#include "motion/records/CompanionRecords.h"
#include "testing/scilexer/SciLexerStandIn.h"
#include "testing/uitest/ModalDriver.h"

namespace {

const std::wstring G = kDrovelPropertyGroup;
constexpr TestMovieShape kShape = {8, 4, 6, 1, 25};
constexpr DWORD kScriptBoundMs = 20000;
// What one dialog run may take on a loaded machine, writing the companion
// through the codec included; past it the run fails.
constexpr DWORD kDialogBoundMs = 60000;

HWND EditorDialog()
{
    return CModalDriver::FindDialog(L"Drovel");
}

HWND Item(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

// Keyboard input as a window gets it; a new line is the Enter key's character.
void Type(HWND window, const std::wstring& text)
{
    for (wchar_t c : text)
        SendMessageW(window, WM_CHAR, c == L'\n' ? L'\r' : c, 0);
}

std::wstring WithCrLf(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text)
        out += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    return out;
}

// Once the editor is up, `act` on it.
CModalDriver::Step OnEditor(std::function<void(HWND dialog)> act)
{
    return [act] {
        HWND dialog = EditorDialog();
        if (dialog)
            act(dialog);
        return dialog != nullptr;
    };
}

CModalDriver::Step ToggleEnable()
{
    return OnEditor([](HWND dialog) { SendMessageW(Item(dialog, IDC_DROVEL_ENABLE), BM_CLICK, 0, 0); });
}

// Posted: what the button does may open a message box.
CModalDriver::Step PressOK()
{
    return OnEditor([](HWND dialog) { PostMessageW(Item(dialog, IDOK), BM_CLICK, 0, 0); });
}

CModalDriver::Step Cancel()
{
    return OnEditor([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
}

// Closes the next error message box and keeps its text.
CModalDriver::Step CloseError(std::wstring& text)
{
    return [&text] {
        HWND box = CModalDriver::FindDialog(L"Error");
        if (box) {
            text = CModalDriver::StaticTexts(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return box != nullptr;
    };
}

class DrovelEditorTest : public DrovelPluginTest {
protected:
    void SetUp() override
    {
        DrovelPluginTest::SetUp();
        control = LoadControl();
        ASSERT_TRUE(control);
        ASSERT_TRUE(host.InitializeControl(control.Get()));
    }
    void TearDown() override
    {
        control.Reset();
        DrovelPluginTest::TearDown();
    }

    // The host's Execute for the movie, the dialog driven by `steps`; the
    // host's objects have as many references afterwards as before.
    void Edit(std::vector<CModalDriver::Step> steps)
    {
        const long references = host.OutsideReferences();
        host.ClearLog();
        CModalDriver driver(std::move(steps), kDialogBoundMs);
        EXPECT_HRESULT_SUCCEEDED(host.EditProperties(control.Get(), movie, G));
        EXPECT_TRUE(driver.Done()) << driver.StepsDone() << " steps done";
        EXPECT_FALSE(driver.TimedOut());
        EXPECT_EQ(references, host.OutsideReferences()) << "references left on the host's objects";
    }

    std::wstring Source() const { return TestFolder() + L"\\clip.avi"; }
    std::wstring Companion() const { return TestFolder() + L"\\clip_Drovel.avi"; }

    RefPtr<IDispatch> control;
};

TEST_F(DrovelEditorTest, TickingEnableWritesTheCompanionWhoseScriptPicksTheSourceFrames)
{
    ScopedCodecInstall codec;
    ASSERT_TRUE(codec.Installed());
    ASSERT_EQ(S_OK, WriteVideoMovie(Source(), kShape));
    const UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, L"drovel-editor-ready"));
    ASSERT_TRUE(ready);
    const std::wstring script =
        L"Sub Startup\n"
        L"  Drovel.SetGlobal \"Pick\", 4\n"
        L"  Drovel.SetNamedEvent \"drovel-editor-ready\", 1\n"
        L"  Do\n"
        L"    Drovel.Pause 5\n"
        L"  Loop\n"
        L"End Sub\n";

    LRESULT lexer = 0;
    char keywords[512] = {};
    LRESULT limits[2] = {};
    Edit({OnEditor([&](HWND dialog) {
              HWND editor = Item(dialog, IDC_DROVEL_SCRIPT);
              lexer = SendMessageW(editor, SciMessage::GetLexer, 0, 0);
              SendMessageW(editor, SCI_STANDIN_GETKEYWORDS, 0, reinterpret_cast<LPARAM>(keywords));
              limits[0] = SendMessageW(Item(dialog, IDC_DROVEL_VARIABLE), EM_GETLIMITTEXT, 0, 0);
              limits[1] = SendMessageW(Item(dialog, IDC_DROVEL_SCRIPT_ID), EM_GETLIMITTEXT, 0, 0);
              SendMessageW(Item(dialog, IDC_DROVEL_ENABLE), BM_CLICK, 0, 0);
              Type(Item(dialog, IDC_DROVEL_VARIABLE), L"Pick");
              Type(Item(dialog, IDC_DROVEL_SCRIPT_ID), L"editor-test");
              Type(editor, script);
          }),
          PressOK()});
    EXPECT_EQ(SCLEX_VBSCRIPT, lexer);
    EXPECT_EQ(0u, std::string(keywords).find("and as byref")) << keywords;
    EXPECT_EQ(39, limits[0]) << "what a record's name field holds";
    EXPECT_EQ(39, limits[1]);
    EXPECT_EQ((std::vector<std::wstring>{L"Enabled=1", L"Script=" + WithCrLf(script), L"Variable=Pick",
                                         L"ScriptID=editor-test"}),
              PropertyWrites());
    EXPECT_EQ(Companion(), MovieFile());

    {
        // The host plays the companion: the script picks the frames.
        CompanionFrameReader companion(MovieFile(), kShape);
        ASSERT_TRUE(companion.Ready());
        EXPECT_EQ(0, companion.Frame(0)) << "the header frame, before the script ran";
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready.Get(), kScriptBoundMs));
        for (LONG frame = 1; frame < static_cast<LONG>(kShape.frames); ++frame)
            EXPECT_EQ(4, companion.Frame(frame)) << frame;
    }

    // Switched off, the element plays its source again.
    Edit({ToggleEnable(), PressOK()});
    EXPECT_EQ(Source(), MovieFile());
    EXPECT_EQ(L"0", Property(L"Enabled"));
    EXPECT_EQ(L"Pick", Property(L"Variable"));
}

TEST_F(DrovelEditorTest, AFailedSwitchKeepsEnabledAsItWasAndSaysWhy)
{
    const std::wstring notAMovie = TestFolder() + L"\\notes.avi";
    std::ofstream(std::filesystem::path(notAMovie)) << "no movie";
    wchar_t unused[MAX_PATH];
    const HRESULT unreadable = WriteCompanionMovie(notAMovie.c_str(), unused, L"", L"", L"");
    ASSERT_TRUE(FAILED(unreadable));
    const std::wstring tooLong(40, L'x');

    struct Case {
        const char* what;
        std::wstring file;
        const wchar_t* enabledAtOpen;
        std::wstring scriptId;
        HRESULT shown;
    };
    const Case cases[] = {
        {"switching on, the source unreadable", notAMovie, L"0", L"id", unreadable},
        {"switching on, a script id the records cannot hold", notAMovie, L"0", tooLong, E_INVALIDARG},
        {"switching off, the source gone", TestFolder() + L"\\gone_Drovel.avi", L"1", L"id",
         HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetMovieFile(c.file);
        SetProperty(L"Enabled", c.enabledAtOpen);
        SetProperty(L"ScriptID", c.scriptId);
        std::wstring message;
        Edit({ToggleEnable(), PressOK(), CloseError(message)});
        EXPECT_NE(std::wstring::npos, message.find(FormatWide(L"0x%08X", static_cast<unsigned>(c.shown)))) << message;
        EXPECT_EQ(c.file, MovieFile());
        EXPECT_EQ((std::vector<std::wstring>{std::wstring(L"Enabled=") + c.enabledAtOpen, L"Script=", L"Variable=",
                                             L"ScriptID=" + c.scriptId}),
                  PropertyWrites());
    }
}

TEST_F(DrovelEditorTest, SwitchingOnWhileTheCompanionPlaysWritesItFromTheSource)
{
    ScopedCodecInstall codec;
    ASSERT_TRUE(codec.Installed());
    ASSERT_EQ(S_OK, WriteVideoMovie(Source(), kShape));
    wchar_t companion[MAX_PATH];
    ASSERT_GE(WriteCompanionMovie(Source().c_str(), companion, L"", L"", L""), 0);
    SetMovieFile(companion);
    SetProperty(L"Enabled", L"0");

    Edit({ToggleEnable(), PressOK()});
    EXPECT_EQ(Companion(), MovieFile());
    EXPECT_EQ(L"1", Property(L"Enabled"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((TestFolder() + L"\\clip_Drovel_Drovel.avi").c_str()));

    // Its header names the source movie, not the companion.
    AviLibrary library;
    RefPtr<IAVIFile> file;
    RefPtr<IAVIStream> stream;
    ASSERT_EQ(S_OK, AVIFileOpenW(file.Put(), Companion().c_str(), OF_READ, nullptr));
    ASSERT_EQ(S_OK, AVIFileGetStream(file.Get(), stream.Put(), streamtypeVIDEO, 0));
    std::vector<BYTE> record(4096);
    LONG bytes = 0;
    ASSERT_EQ(S_OK, AVIStreamRead(stream.Get(), 0, 1, record.data(), static_cast<LONG>(record.size()), &bytes, nullptr));
    ASSERT_GE(bytes, static_cast<LONG>(companion::kScriptHeaderFixedSize));
    const auto* header = reinterpret_cast<const companion::ScriptHeaderRecord*>(record.data());
    EXPECT_EQ(Source(), std::wstring(header->sourcePath));
}

TEST_F(DrovelEditorTest, SwitchingOffLeavesAFileThatIsNoCompanion)
{
    for (const wchar_t* name : {L"\\clip.avi", L"\\_Drovel.avi"}) {
        const std::wstring file = TestFolder() + name;
        SetMovieFile(file);
        SetProperty(L"Enabled", L"1");
        Edit({ToggleEnable(), PressOK()});
        EXPECT_EQ(file, MovieFile());
        EXPECT_EQ(L"0", Property(L"Enabled")) << "nothing to switch, nothing failed";
        EXPECT_EQ(1, host.CallCount(L"Element", L"Filename")) << "read, not written";
    }
}

TEST_F(DrovelEditorTest, OKWithoutANewEnableWritesTheSettingsAndTouchesNoFileCancelWritesNothing)
{
    SetMovieFile(Companion());
    SetProperty(L"Enabled", L"1");
    SetProperty(L"Script", L"' old");
    Edit({OnEditor([](HWND dialog) { Type(Item(dialog, IDC_DROVEL_VARIABLE), L"Frame"); }), PressOK()});
    EXPECT_EQ((std::vector<std::wstring>{L"Enabled=1", L"Script=' old", L"Variable=Frame", L"ScriptID="}),
              PropertyWrites());
    EXPECT_EQ(0, host.CallCount(L"Properties", L"OwnerElement"));
    EXPECT_EQ(0, host.CallCount(L"Element", L"Filename"));

    Edit({ToggleEnable(), OnEditor([](HWND dialog) { Type(Item(dialog, IDC_DROVEL_VARIABLE), L"2"); }), Cancel()});
    EXPECT_TRUE(PropertyWrites().empty());
    EXPECT_EQ(L"Frame", Property(L"Variable"));
    EXPECT_EQ(Companion(), MovieFile());
}

TEST_F(DrovelEditorTest, AMovieWithoutAnElementStillGetsItsSettings)
{
    CSimNode& bare = host.AddNode(scene, L"Bare", SimNodeMovie);
    const long references = host.OutsideReferences();
    host.ClearLog();
    CModalDriver driver({ToggleEnable(), PressOK()}, kDialogBoundMs);
    EXPECT_HRESULT_SUCCEEDED(host.EditProperties(control.Get(), bare, G));
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(references, host.OutsideReferences());
    EXPECT_EQ(L"1", DescribeValue(host.PropertyValue(bare, G, L"Enabled").Get()));
    EXPECT_EQ(1, host.CallCount(L"Properties", L"OwnerElement"));
}

TEST_F(DrovelEditorTest, TheScriptEditorFillsTheDialogBelowTheSettingsAndGrowsWithIt)
{
    RECT client{}, editor{}, grown{};
    Edit({OnEditor([&](HWND dialog) {
              HWND script = Item(dialog, IDC_DROVEL_SCRIPT);
              GetClientRect(dialog, &client);
              GetWindowRect(script, &editor);
              MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&editor), 2);
              RECT frame{};
              GetWindowRect(dialog, &frame);
              SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top + 50,
                           SWP_NOMOVE | SWP_NOZORDER);
              GetWindowRect(script, &grown);
          }),
          Cancel()});
    EXPECT_EQ(20, editor.left);
    EXPECT_EQ(80, editor.top);
    EXPECT_EQ(client.right - 20, editor.right);
    EXPECT_EQ(client.bottom - 20, editor.bottom);
    EXPECT_EQ(editor.right - editor.left + 100, grown.right - grown.left);
    EXPECT_EQ(editor.bottom - editor.top + 50, grown.bottom - grown.top);
}

TEST_F(DrovelEditorTest, HostErrorsAreShownAndNothingHalfReadIsWrittenBack)
{
    SetProperty(L"Script", L"' kept");
    host.InjectError(L"Properties", L"OwnerElement", L"The element is locked", E_ACCESSDENIED);
    std::wstring message;
    Edit({ToggleEnable(), PressOK(), CloseError(message)});
    EXPECT_NE(std::wstring::npos, message.find(L"0x80070005")) << message;
    EXPECT_TRUE(PropertyWrites().empty()) << "the switch failed before anything was written";

    host.InjectError(L"Property", L"Value", L"No reading today", E_ACCESSDENIED);
    Edit({CloseError(message), OnEditor([](HWND dialog) { Type(Item(dialog, IDC_DROVEL_VARIABLE), L"v"); }),
          PressOK()});
    EXPECT_NE(std::wstring::npos, message.find(L"0x80070005")) << message;
    EXPECT_EQ(1, host.CallCount(L"Property", L"Value")) << "one failed read, no write";
}

TEST_F(DrovelWithoutEditorTest, OKKeepsTheScriptItRead)
{
    SetProperty(L"Script", L"Sub Startup\r\nEnd Sub");
    std::wstring missing;
    RefPtr<IDispatch> control;
    {
        CModalDriver driver({CloseError(missing)}, kDialogBoundMs);
        control = LoadControl();
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_EQ(L"Failed to load SciLexer.dll", missing);
    ASSERT_TRUE(control && host.InitializeControl(control.Get()));

    bool editorMissing = false;
    host.ClearLog();
    CModalDriver driver({OnEditor([&](HWND dialog) {
                             editorMissing = Item(dialog, IDC_DROVEL_SCRIPT) == nullptr;
                             Type(Item(dialog, IDC_DROVEL_VARIABLE), L"Frame");
                         }),
                         PressOK()},
                        kDialogBoundMs);
    EXPECT_HRESULT_SUCCEEDED(host.EditProperties(control.Get(), movie, G));
    EXPECT_TRUE(driver.Done());
    EXPECT_TRUE(editorMissing);
    EXPECT_EQ((std::vector<std::wstring>{L"Enabled=0", L"Script=Sub Startup\r\nEnd Sub", L"Variable=Frame",
                                         L"ScriptID="}),
              PropertyWrites());
}

} // namespace
