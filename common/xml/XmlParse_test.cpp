#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "common/xml/SaxContentHandler.h"
#include "common/xml/test/XmlNodeTestSupport.h"
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

TEST_F(XmlParseTest, AttributesInAnyDocumentOrderAreKeptInCodeUnitOrderOfTheirNames)
{
    std::wstring manyReversed = L"<r";
    std::wstring manySorted;
    for (int i = 299; i >= 0; --i) {
        wchar_t name[8];
        swprintf(name, 8, L"n%03d", i);
        manyReversed += std::wstring(L" ") + name + L"=\"" + std::to_wstring(i) + L"\"";
        manySorted = std::wstring(name) + L"=" + std::to_wstring(i) + L";" + manySorted;
    }
    manyReversed += L"/>";
    struct Case { std::wstring document; std::wstring attributes; };
    const Case cases[] = {
        {L"<r a=\"1\" b=\"2\" c=\"3\"/>", L"a=1;b=2;c=3;"},
        {L"<r c=\"3\" a=\"1\" b=\"2\"/>", L"a=1;b=2;c=3;"},
        {L"<r ab=\"1\" \u00e9=\"5\" a=\"2\" B=\"3\" a-=\"4\"/>", L"B=3;a=2;a-=4;ab=1;\u00e9=5;"},
        {L"<r z=\"\" y=\"&amp;&#10;\"/>", L"y=&\n;z=;"},
        {manyReversed, manySorted},
    };
    for (const Case& c : cases) {
        CXmlNodePtr root = ParseOk(c.document);
        CXmlNodePtr r = Child(root.Get(), L"r");
        ASSERT_TRUE(r) << c.document;
        EXPECT_EQ(c.attributes, AttributeList(*r)) << c.document;
    }
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

// The levels of elements below `root`, following first children.
size_t DepthBelow(CXmlNode* root)
{
    size_t depth = 0;
    for (CXmlNode* node = root->GetChild(0); node; node = node->GetChild(0))
        ++depth;
    return depth;
}

TEST_F(XmlParseTest, ADocumentNestedPastTheBoundIsRefusedWithNothingBuiltPastIt)
{
    struct Case {
        size_t depth;
        HRESULT result;
    };
    const Case cases[] = {
        {kMaxXmlDepth, S_OK},
        {kMaxXmlDepth + 1, kXmlNestedTooDeep},
        {100000, kXmlNestedTooDeep},
    };
    for (const Case& c : cases) {
        CXmlNodePtr root;
        EXPECT_EQ(c.result, ParseXmlText(NestedElements(c.depth, L"deep"), root)) << c.depth;
        ASSERT_TRUE(root) << c.depth;
        EXPECT_EQ(std::min<size_t>(c.depth, kMaxXmlDepth), DepthBelow(root.Get())) << c.depth;
    }

    // Depth is what is open at once: siblings after a deep branch still read.
    CXmlNodePtr root = ParseOk(L"<r>" + NestedElements(kMaxXmlDepth - 1) + NestedElements(kMaxXmlDepth - 1) + L"<b/></r>");
    ASSERT_TRUE(root);
    EXPECT_TRUE(Child(root.Get(), L"r.b"));
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

// What a reader gives back for a unit written on its own: XML 1.0 carries
// tab, CR, LF and U+0020-U+FFFD except the surrogates.
wchar_t ReadBackOf(wchar_t c)
{
    const bool carried = c == L'\t' || c == L'\n' || c == L'\r' ||
                         (c >= 0x20 && c < 0xD800) || (c > 0xDFFF && c < 0xFFFE);
    return carried ? c : L'\xFFFD';
}

TEST_F(XmlParseTest, EveryCodeUnitReadsBackAsItselfOrTheReplacementCharacter)
{
    // One document per block, so a unit that breaks its document is found.
    for (unsigned block = 0; block < 0x10000; block += 0x100) {
        CXmlNodePtr tree = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"r"));
        for (unsigned unit = block; unit < block + 0x100; ++unit) {
            const wchar_t value[3] = {L'a', static_cast<wchar_t>(unit), L'b'};
            CXmlNode* child = new CXmlNode(tree.Get(), L"c");
            child->SetAttributeCounted(L"v", 1, value, 3);
            child->AppendText(value, 3);
        }
        std::wstring written;
        tree->WriteToString(written);
        CXmlNodePtr root;
        ASSERT_EQ(S_OK, ParseXmlText(written, root)) << "block " << std::hex << block;
        CXmlNodePtr read = Child(root.Get(), L"r");
        ASSERT_TRUE(read);
        for (unsigned unit = block; unit < block + 0x100; ++unit) {
            CXmlNodePtr child = CXmlNodePtr::Adopt(read->FindChild(L"c", static_cast<int>(unit - block)));
            ASSERT_TRUE(child);
            const std::wstring expected = {L'a', ReadBackOf(static_cast<wchar_t>(unit)), L'b'};
            std::wstring value;
            child->GetAttributeString(L"v", value);
            EXPECT_EQ(expected, value) << "attribute, unit " << std::hex << unit;
            // Wine's reader reads the reference &#13; in text as a line feed.
            if (unit != L'\r') {
                EXPECT_EQ(expected, child->GetText()) << "text, unit " << std::hex << unit;
            }
        }
    }
}

TEST_F(XmlParseTest, SurrogatePairsStayAndLoneHalvesAreReplaced)
{
    struct Case { std::wstring written; std::wstring read; };
    const Case cases[] = {
        {L"a\xD83D\xDE00" L"b", L"a\xD83D\xDE00" L"b"},
        {L"a\xDE00\xD83D" L"b", L"a\xFFFD\xFFFD" L"b"},
        {L"a\xD83D\xD83D\xDE00" L"b", L"a\xFFFD\xD83D\xDE00" L"b"},
        {L"a\xD83D", L"a\xFFFD"},
        {L"\xDE00" L"a", L"\xFFFD" L"a"},
    };
    for (const Case& c : cases) {
        CXmlNodePtr tree = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"r"));
        tree->SetAttribute(L"v", c.written.c_str());
        tree->SetText(c.written.c_str());
        std::wstring written;
        tree->WriteToString(written);
        CXmlNodePtr root = ParseOk(written);
        CXmlNodePtr read = Child(root.Get(), L"r");
        ASSERT_TRUE(read);
        std::wstring value;
        read->GetAttributeString(L"v", value);
        EXPECT_EQ(c.read, value);
        EXPECT_EQ(c.read, read->GetText());
    }
}

}  // namespace
