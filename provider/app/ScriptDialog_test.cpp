#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "base/win/UniqueHandle.h"
#include "platform/ui/UserPrompts.h"
#include "provider/test/ProviderTestSupport.h"
#include "provider/app/ScriptDialog.h"
#include "provider/app/ScriptFile.h"

namespace {

std::string ReadBytes(const std::wstring& path)
{
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes(4096, '\0');
    DWORD read = 0;
    if (!file || !ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr))
        return {};
    bytes.resize(read);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

class ScriptPageTest : public ProviderFixture {
protected:
    void SetUp() override
    {
        ProviderFixture::SetUp();
        m_editor.Reset(LoadLibraryW(L"SciLexer.dll"));
        ASSERT_TRUE(m_editor);
        m_parent.Reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr));
        m_page = std::make_unique<CScriptDialog>(m_parent.Get());
        ASSERT_NE(nullptr, m_page->GetSafeHwnd());
    }

    void TearDown() override
    {
        m_page.reset();
        m_parent.Reset();
        ProviderFixture::TearDown();
    }

    std::wstring File(const wchar_t* name) const { return Folder() + L"\\" + name; }

    UniqueModule m_editor;
    UniqueWindow m_parent;
    std::unique_ptr<CScriptDialog> m_page;
};

TEST_F(ScriptPageTest, SaveAndOpenKeepEveryCharacter)
{
    const std::wstring text = L"' caf\u00e9 \u20ac \u4e2d \U0001F600\r\nSub Test()\r\n  WriteLog \"\u00fc\"\r\nEnd Sub\r\n";
    m_page->SetScriptText(text);
    EXPECT_EQ(text, m_page->GetScriptText());

    ScopedFileDialogHandler answer([&](HWND, const FileDialogRequest& request) -> std::optional<std::wstring> {
        EXPECT_EQ(L"vbs", request.defaultExtension);
        EXPECT_EQ(L"VBScript Files (*.vbs)|*.vbs||", request.filter);
        return File(L"saved.vbs");
    });
    m_page->SaveScript();
    EXPECT_EQ(0u, ReadBytes(File(L"saved.vbs")).find("' caf\xC3\xA9 \xE2\x82\xAC"));   // UTF-8, no mark

    m_page->SetScriptText(L"");
    m_page->OpenScript();
    EXPECT_EQ(text, m_page->GetScriptText());
}

TEST_F(ScriptPageTest, FilesThatAreNotUtf8AreReadAsAnsi)
{
    struct Case { const char* what; std::string bytes; std::wstring text; };
    const Case cases[] = {
        {"ANSI", "caf\xE9 \x80", L"caf\u00e9 \u20ac"},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" "caf\xC3\xA9", L"caf\u00e9"},
        {"a zero byte", std::string("a\0b", 3), L"ab"},
        {"empty", "", L""},
    };
    for (const Case& c : cases) {
        WriteBytes(File(L"in.vbs"), c.bytes);
        m_page->LoadScriptFile(File(L"in.vbs"));
        EXPECT_EQ(c.text, m_page->GetScriptText()) << c.what;
    }
    m_page->SetScriptText(L"kept?");
    m_page->LoadScriptFile(File(L"missing.vbs"));
    EXPECT_EQ(L"", m_page->GetScriptText());
}

TEST_F(ScriptPageTest, NewClearsOnlyOnYes)
{
    struct Case { int answer; const wchar_t* left; };
    const Case cases[] = {{IDNO, L"script"}, {IDCANCEL, L"script"}, {IDYES, L""}};
    for (const Case& c : cases) {
        m_page->SetScriptText(L"script");
        std::wstring asked;
        ScopedMessageBoxHandler answer([&](HWND, const std::wstring& text, const std::wstring&, UINT type) {
            asked = text;
            EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), type & MB_TYPEMASK);
            return c.answer;
        });
        m_page->ClearScript();
        EXPECT_EQ(L"Clear Script ?", asked);
        EXPECT_EQ(c.left, m_page->GetScriptText()) << c.answer;
    }
}

TEST_F(ScriptPageTest, TestRunsTheTestRoutineOfTheEditorsText)
{
    WindowMessages();
    m_page->SetScriptText(L"Sub Test()\r\n  WriteLog \"tested\"\r\nEnd Sub\r\n");
    m_page->TestScript();
    EXPECT_EQ(std::vector<std::wstring>{L"tested"}, WindowMessages());

    m_page->SetScriptText(L"Sub Other()\r\nEnd Sub\r\n");
    m_page->TestScript();
    const std::vector<std::wstring> log = WindowMessages();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(L"Error starting script", log.back());
}

TEST_F(ScriptPageTest, TheStartupScriptComesFromSetupIni)
{
    WriteBytes(File(L"start.vbs"), "' startup");
    WritePrivateProfileStringW(L"Setup", L"StartupScript", L"start.vbs", (Folder() + L"\\Setup.ini").c_str());
    m_page->LoadStartupScript();
    EXPECT_EQ(L"' startup", m_page->GetScriptText());
}

}  // namespace
