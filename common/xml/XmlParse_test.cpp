#include <gtest/gtest.h>

#include <string>

#include "common/xml/XmlNodeTestSupport.h"
#include "common/xml/XmlParse.h"

namespace {

using XmlParseTest = XmlNodeLeakCheck;

CXmlNodePtr ParseOk(const std::wstring& text)
{
    CXmlNodePtr root;
    const HRESULT hr = ParseXmlText(text, root);
    EXPECT_EQ(S_OK, hr) << std::hex << hr;
    EXPECT_TRUE(root);
    return root;
}

CXmlNodePtr Child(CXmlNode* node, const wchar_t* path)
{
    return CXmlNodePtr::Adopt(node ? node->FindChild(path, 0) : nullptr);
}

TEST_F(XmlParseTest, DocumentElementIsTheFirstChildOfAnUnnamedRoot)
{
    CXmlNodePtr root = ParseOk(L"<?xml version=\"1.0\"?><command cmd=\"historical\"><params symbol=\"MSFT\"/></command>");
    ASSERT_TRUE(root);
    EXPECT_STREQ(L"", root->GetName());
    CXmlNodePtr params = Child(root.Get(), L"command.params");
    ASSERT_TRUE(params);
    std::wstring symbol;
    EXPECT_TRUE(params->GetAttributeString(L"symbol", symbol));
    EXPECT_EQ(L"MSFT", symbol);
    EXPECT_EQ(L"<command cmd=\"historical\">\r\n<params symbol=\"MSFT\">\r\n</params>\r\n</command>\r\n",
              [&] { std::wstring t; root->WriteToString(t); return t; }());
}

TEST_F(XmlParseTest, TextIsJoinedAndTrimmedAtTheElementsEnd)
{
    CXmlNodePtr root = ParseOk(
        L"<r>\r\n"
        L"  <a>\r\n    first  line\r\n    second\r\n  </a>\r\n"
        L"  <b>before<c/>after</b>\r\n"
        L"  <d><![CDATA[ <raw> & ]]></d>\r\n"
        L"  <e/>\r\n"
        L"</r>");
    ASSERT_TRUE(root);
    struct Case { const wchar_t* path; const wchar_t* text; };
    const Case cases[] = {
        {L"r.a", L"first  line\n    second"},
        {L"r.b", L"beforeafter"},
        {L"r.d", L"<raw> &"},
        {L"r.e", L""},
        {L"r", L""},
    };
    for (const Case& c : cases) {
        CXmlNodePtr node = Child(root.Get(), c.path);
        ASSERT_TRUE(node) << c.path;
        EXPECT_STREQ(c.text, node->GetText()) << c.path;
    }
}

TEST_F(XmlParseTest, AttributesKeepTheirQualifiedNames)
{
    CXmlNodePtr root = ParseOk(L"<r xmlns:p=\"urn:x\" p:x=\"1\" plain=\"2\"/>");
    CXmlNodePtr r = Child(root.Get(), L"r");
    ASSERT_TRUE(r);
    std::wstring value;
    EXPECT_TRUE(r->GetAttributeString(L"p:x", value));
    EXPECT_EQ(L"1", value);
    EXPECT_TRUE(r->GetAttributeString(L"plain", value));
}

TEST_F(XmlParseTest, MalformedTextFailsAndKeepsWhatWasRead)
{
    CXmlNodePtr root;
    const HRESULT hr = ParseXmlText(L"<r><done/><open><broken</r>", root);
    EXPECT_TRUE(FAILED(hr));
    ASSERT_TRUE(root);
    EXPECT_TRUE(Child(root.Get(), L"r.done"));
    EXPECT_TRUE(Child(root.Get(), L"r.open"));
}

TEST_F(XmlParseTest, EmptyAndNonXmlTextsFail)
{
    for (const wchar_t* text : {L"", L"not xml at all", L"<a></b>", L"<a/><b/>"}) {
        CXmlNodePtr root;
        EXPECT_TRUE(FAILED(ParseXmlText(text, root))) << text;
    }
}

TEST_F(XmlParseTest, HostileTreeSurvivesWriteAndRead)
{
    const std::wstring hostileValue = L"a&b <c> \"d\" 'e' \t tab \r\n crlf \n lf ]]> &amp; \u00e9\u20ac\U0001F600";
    // No CR in the text: Wine's reader turns the reference &#13; in text into
    // LF (it keeps it in attribute values).
    const std::wstring hostileText = L"x ]]> y <![CDATA[ z ]]]]> &lt; \n\n mixed \n end \u00fc";

    CXmlNodePtr tree = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"r\u00e9sum\u00e9-1_x"));
    CXmlNode* child = new CXmlNode(tree.Get(), L"ch\u00eeld-2");
    child->SetAttribute(L"v", hostileValue.c_str());
    child->SetAttribute(L"empty", L"");
    child->SetText(hostileText.c_str());
    new CXmlNode(tree.Get(), L"_empty");

    std::wstring written;
    tree->WriteToString(written);
    CXmlNodePtr root = ParseOk(written);
    ASSERT_TRUE(root);

    CXmlNodePtr readChild = Child(root.Get(), L"r\u00e9sum\u00e9-1_x.ch\u00eeld-2");
    ASSERT_TRUE(readChild);
    std::wstring value;
    EXPECT_TRUE(readChild->GetAttributeString(L"v", value));
    EXPECT_EQ(hostileValue, value);
    EXPECT_EQ(hostileText, readChild->GetText());

    std::wstring rewritten;
    root->WriteToString(rewritten);
    EXPECT_EQ(written, rewritten);
}

}  // namespace
