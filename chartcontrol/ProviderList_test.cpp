#include "chartcontrol/ProviderList.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/logwindow/test/LogPageStandIn.h"
#include "common/xml/test/XmlNodeTestSupport.h"

namespace {

class ProviderListTest : public XmlNodeLeakCheck {
protected:
    void SetUp() override
    {
        XmlNodeLeakCheck::SetUp();
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        m_path = std::wstring(temp) + L"providers_test_" + std::to_wstring(GetCurrentProcessId()) + L".xml";
    }
    void TearDown() override
    {
        DeleteFileW(m_path.c_str());
        XmlNodeLeakCheck::TearDown();
    }

    void WriteBytes(const std::string& bytes)
    {
        FILE* file = _wfopen(m_path.c_str(), L"wb");
        ASSERT_NE(nullptr, file);
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
    // UTF-16 little-endian, with or without the byte-order mark.
    void WriteText(const std::wstring& text, bool withMark = true)
    {
        std::string bytes = withMark ? std::string("\xFF\xFE", 2) : std::string();
        for (wchar_t c : text) {
            bytes += static_cast<char>(c & 0xFF);
            bytes += static_cast<char>((c >> 8) & 0xFF);
        }
        WriteBytes(bytes);
    }
    // The one log line the lookup wrote, with "$FILE" standing for the path.
    void ExpectOnlyLog(const std::wstring& expected)
    {
        std::wstring message = expected;
        const size_t file = message.find(L"$FILE");
        if (file != std::wstring::npos)
            message.replace(file, 5, m_path);
        const auto lines = m_page.TakeLines();
        ASSERT_EQ(1u, lines.size());
        EXPECT_EQ(message, LogMessageOf(lines[0]));
    }

    std::wstring m_path;
    CLogPageStandIn m_page;
};

const wchar_t kTwoProviders[] =
    L"<providers>\r\n"
    L"<provider name=\"Quotes\" address=\"10.0.0.5\" port=\"5011\" timeoutMSEC=\"500\" sub=\"GetDaily\"/>\r\n"
    L"<provider name=\"Quotes\" address=\"10.0.0.6\" port=\"6000\"/>\r\n"
    L"<provider name=\"Plain\" address=\"quotes.local\" port=\"7000\"/>\r\n"
    L"</providers>\r\n";

}  // namespace

TEST_F(ProviderListTest, FirstProviderOfTheNameWinsAndDefaultsFillTheRest)
{
    WriteText(kTwoProviders);
    struct Case { const wchar_t* name; const wchar_t* address; int port; int timeoutMs; const wchar_t* sub; };
    const Case cases[] = {
        {L"Quotes", L"10.0.0.5", 5011, 500, L"GetDaily"},
        {L"Plain", L"quotes.local", 7000, 2000, L"GetHistorical"},
    };
    for (const Case& c : cases) {
        CProviderPtr provider = FindProviderInFile(m_path, c.name);
        ASSERT_TRUE(provider) << c.name;
        EXPECT_EQ(c.address, provider->Address());
        EXPECT_EQ(c.port, provider->Port());
        EXPECT_EQ(c.timeoutMs, provider->TimeoutMs());
        EXPECT_EQ(c.sub, provider->Sub());
    }
    EXPECT_TRUE(m_page.TakeLines().empty());
}

TEST_F(ProviderListTest, NameComparesWithCase)
{
    WriteText(kTwoProviders);
    EXPECT_FALSE(FindProviderInFile(m_path, L"quotes"));
    ExpectOnlyLog(L"Cannot find provider quotes in $FILE");
}

TEST_F(ProviderListTest, EachBrokenListGivesNoneAndItsLogLine)
{
    struct Case { const char* name; std::wstring text; bool withMark; const wchar_t* log; };
    const Case cases[] = {
        {"no providers node", L"<list><provider name=\"Quotes\" address=\"a\" port=\"1\"/></list>", true,
         L"Cannot find providers node in $FILE"},
        {"no such provider", L"<providers><provider name=\"Other\" address=\"a\" port=\"1\"/></providers>", true,
         L"Cannot find provider Quotes in $FILE"},
        {"no address", L"<providers><provider name=\"Quotes\" port=\"1\"/></providers>", true,
         L"Failure retreiving address for provider Quotes"},
        {"no port", L"<providers><provider name=\"Quotes\" address=\"a\"/></providers>", true,
         L"Failure retreiving port for provider Quotes"},
        // The first two bytes are always skipped: without a mark the "<" is lost.
        {"no byte-order mark", L"<providers><provider name=\"Quotes\" address=\"a\" port=\"1\"/></providers>", false,
         L"Failure opening $FILE"},
        {"not XML", L"providers", true, L"Failure opening $FILE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteText(c.text, c.withMark);
        EXPECT_FALSE(FindProviderInFile(m_path, L"Quotes"));
        ExpectOnlyLog(c.log);
    }
}

TEST_F(ProviderListTest, FilesWithoutWholeUnitsAreRefusedUnread)
{
    struct Case { const char* name; std::string bytes; };
    const Case cases[] = {
        {"empty", std::string()},
        {"one byte", std::string("\xFF", 1)},
        {"odd length", std::string("\xFF\xFE<\0p", 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(c.bytes);
        CXmlNodePtr root;
        EXPECT_FALSE(LoadXmlFile(m_path, root));
        EXPECT_FALSE(root);
        EXPECT_FALSE(FindProviderInFile(m_path, L"Quotes"));
        ExpectOnlyLog(L"Failure opening $FILE");
    }
}

TEST_F(ProviderListTest, MissingFileIsAFailureToOpen)
{
    EXPECT_FALSE(FindProviderInFile(m_path, L"Quotes"));
    ExpectOnlyLog(L"Failure opening $FILE");
}

TEST_F(ProviderListTest, LoadedFileSitsUnderANamelessContainer)
{
    WriteText(kTwoProviders);
    CXmlNodePtr root;
    ASSERT_TRUE(LoadXmlFile(m_path, root));
    EXPECT_STREQ(L"", root->GetName());
    CXmlNodePtr third = CXmlNodePtr::Adopt(root->FindChildAtLastSegment(L"providers.provider", 2));
    ASSERT_TRUE(third);
    std::wstring name;
    EXPECT_TRUE(third->GetAttributeString(L"name", name));
    EXPECT_EQ(L"Plain", name);
}
