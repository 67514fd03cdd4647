#include "motion/plugin/test/DrovelPluginTestSupport.h"

#include <filesystem>

#include "motion/plugin/DrovelLEIFletIds.h"

std::unique_ptr<CScopedServerRegistration> DrovelPluginTest::s_registration;

ScopedWindowsEditorComponent::ScopedWindowsEditorComponent(bool present)
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    m_path = std::wstring(folder) + L"\\SciLexer.dll";
    if (present)
        m_ready = CopyFileW((TestModuleFolder() + L"SciLexer.dll").c_str(), m_path.c_str(), FALSE) != FALSE;
    else
        m_ready = DeleteFileW(m_path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

ScopedWindowsEditorComponent::~ScopedWindowsEditorComponent()
{
    if (!m_path.empty())
        DeleteFileW(m_path.c_str());
}

void DrovelPluginTest::SetUpTestSuite()
{
    s_registration = std::make_unique<CScopedServerRegistration>(TestModuleFolder() + L"DrovelLEIFlet.ocx");
}

void DrovelPluginTest::TearDownTestSuite()
{
    s_registration.reset();
}

DrovelPluginTest::DrovelPluginTest(bool editorComponent)
    : movie(host.AddNode(scene, L"Promo", SimNodeMovie)), m_editorComponent(editorComponent)
{
    host.AddElement(movie, L"Clip", SimElementMovie, TestFolder() + L"\\clip.avi");
}

void DrovelPluginTest::SetUp()
{
    ASSERT_HRESULT_SUCCEEDED(s_registration->Result());
    ASSERT_TRUE(m_editorComponent.Ready());
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::remove_all(TestFolder(), ignored);
    ASSERT_TRUE(fs::create_directories(TestFolder()));
    SimHostFixture::SetUp();
}

void DrovelPluginTest::TearDown()
{
    host.CloseControls();
    SimHostFixture::TearDown();
}

RefPtr<IDispatch> DrovelPluginTest::LoadControl()
{
    RefPtr<IDispatch> control;
    EXPECT_HRESULT_SUCCEEDED(host.LoadControl(kDrovelProgId, control));
    return control;
}

std::wstring DrovelPluginTest::TestFolder() const
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test ? test->name() : "none";
    return TestModuleFolder() + L"drovel_plugin\\" + std::wstring(name.begin(), name.end());
}

void DrovelPluginTest::SetMovieFile(const std::wstring& path)
{
    movie.elements.front()->filename = path;
}

std::wstring DrovelPluginTest::MovieFile() const
{
    return movie.elements.front()->filename;
}

void DrovelPluginTest::SetProperty(const std::wstring& name, const std::wstring& value)
{
    movie.properties[kDrovelPropertyGroup][name] = CSimValue(value);
}

std::wstring DrovelPluginTest::Property(const std::wstring& name) const
{
    return DescribeValue(host.PropertyValue(movie, kDrovelPropertyGroup, name).Get());
}

std::vector<std::wstring> DrovelPluginTest::PropertyWrites() const
{
    std::vector<std::wstring> writes;
    std::wstring name;  // the property the last ByName asked for
    for (const SimCallRecord& call : host.Calls()) {
        if (call.className == L"Properties" && call.member == L"ByName" && !call.argumentText.empty())
            name = call.argumentText[0];
        else if (call.className == L"Property" && call.member == L"Value" && call.kind == SimKind::Put &&
                 !call.argumentText.empty())
            writes.push_back(name + L"=" + call.argumentText.back());
    }
    return writes;
}
