#include "common/xml/XmlName.h"

#include <gtest/gtest.h>

#include "common/xml/test/XmlNodeTestSupport.h"
#include "common/xml/XmlParse.h"

namespace {

using XmlNameTest = XmlNodeLeakCheck;

TEST_F(XmlNameTest, NamesAreXmlNamesWithoutAColon)
{
    struct Case { std::wstring name; bool ok; };
    const Case cases[] = {
        {L"last", true}, {L"_x", true}, {L"a-b.c1", true}, {L"\u00e9t\u00e9", true}, {L"x\u00b7y", true},
        {L"\xD800\xDC00" L"a", true},   // U+10000 may start a name
        {L"", false}, {L"1a", false}, {L"-a", false}, {L".a", false}, {L"a b", false}, {L"a:b", false},
        {L"a<b", false}, {L"a\"b", false}, {L"a=b", false}, {L"a\x01", false}, {L"a\xD800", false},
        {L"a\xDC00", false}, {L"\u00b7a", false}, {L"a\xFFFE", false}, {L"a/b", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.ok, IsXmlName(c.name)) << ::testing::PrintToString(c.name);
}

// Every name accepted here must be one the reader takes back unchanged.
TEST_F(XmlNameTest, TheReaderTakesEveryAcceptedName)
{
    CXmlNodePtr tree = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"r"));
    std::vector<std::wstring> names;
    for (unsigned unit = 1; unit < 0x10000; ++unit) {
        const wchar_t c = static_cast<wchar_t>(unit);
        for (const std::wstring& name : {std::wstring(1, c) + L"x", L"x" + std::wstring(1, c)}) {
            if (IsXmlName(name))
                names.push_back(name);
        }
    }
    ASSERT_GT(names.size(), 100000u);
    // A few hundred attributes to an element (their order is the names').
    const size_t perElement = 500;
    for (size_t i = 0; i < names.size(); i += perElement) {
        CXmlNode* element = new CXmlNode(tree.Get(), L"e");
        for (size_t j = i; j < names.size() && j < i + perElement; ++j)
            element->SetAttribute(names[j].c_str(), L"1");
    }
    std::wstring written;
    tree->WriteToString(written);
    CXmlNodePtr root;
    ASSERT_EQ(S_OK, ParseXmlText(written, root));
    CXmlNodePtr read = CXmlNodePtr::Adopt(root->FindChild(L"r", 0));
    ASSERT_TRUE(read);
    std::wstring rewritten;
    read->WriteToString(rewritten);
    EXPECT_TRUE(written == rewritten) << "a name came back changed";
}

}  // namespace
