#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "common/xml/XmlNode.h"
#include "common/xml/test/XmlNodeTestSupport.h"

namespace {

// Builds a root with children of the given names; each child gets an "id"
// attribute with its position so a lookup result can be identified.
CXmlNodePtr MakeRoot(const std::vector<std::wstring>& names)
{
    CXmlNodePtr root = CXmlNodePtr::Adopt(new CXmlNode());
    for (size_t i = 0; i < names.size(); ++i)
        (new CXmlNode(root.Get(), names[i].c_str()))->SetAttributeInt(L"id", static_cast<int>(i));
    return root;
}

int IdOf(CXmlNode* node)
{
    int id = -1;
    if (node)
        node->GetAttributeInt(L"id", id);
    return id;
}

std::wstring Written(const CXmlNode* node)
{
    std::wstring text;
    node->WriteToString(text);
    return text;
}

using XmlNodeTest = XmlNodeLeakCheck;

TEST_F(XmlNodeTest, LookupOfTheFirstSegmentCountsMatchesCaseInsensitivelyByPrefix)
{
    CXmlNodePtr root = MakeRoot({L"Pie", L"PieChart", L"pie", L"Bar"});
    struct Case { const wchar_t* path; int index; int expectedId; };
    const Case cases[] = {
        {L"pie", 0, 0}, {L"pie", 1, 1}, {L"pie", 2, 2}, {L"pie", 3, -1},
        {L"PIECHART", 0, 1}, {L"Bar", 0, 3}, {L"Bars", 0, -1},
        {L"", 0, 0}, {L"", 3, 3}, {L"", 4, -1}, {nullptr, 0, 0},
    };
    for (const Case& c : cases) {
        CXmlNodePtr found = CXmlNodePtr::Adopt(root->FindChild(c.path, c.index));
        EXPECT_EQ(c.expectedId, IdOf(found.Get())) << (c.path ? c.path : L"(null)") << " #" << c.index;
    }
}

TEST_F(XmlNodeTest, LookupReturnsAnAddedReferenceThatLeavesTheTreeIntact)
{
    CXmlNodePtr root = MakeRoot({L"command"});
    const long before = g_xmlNodeCount;
    CXmlNode* command = root->FindChild(L"command", 0);
    ASSERT_NE(nullptr, command);
    EXPECT_EQ(2, command->AddRef() - 1);   // the parent's reference and ours
    command->Release();
    command->Release();
    EXPECT_EQ(before, g_xmlNodeCount);
    CXmlNodePtr again = CXmlNodePtr::Adopt(root->FindChild(L"command", 0));
    EXPECT_EQ(command, again.Get());
}

TEST_F(XmlNodeTest, DottedPathsIndexTheFirstOrTheLastSegment)
{
    // a#0 { b#0 }, a#1 { c }, a#2 { b#0, b#1 }
    CXmlNodePtr root = CXmlNodePtr::Adopt(new CXmlNode());
    CXmlNode* a0 = new CXmlNode(root.Get(), L"a");
    CXmlNode* a1 = new CXmlNode(root.Get(), L"a");
    CXmlNode* a2 = new CXmlNode(root.Get(), L"a");
    (new CXmlNode(a0, L"b"))->SetAttribute(L"id", L"a0.b0");
    (new CXmlNode(a0, L"b"))->SetAttribute(L"id", L"a0.b1");
    new CXmlNode(a1, L"c");
    (new CXmlNode(a2, L"b"))->SetAttribute(L"id", L"a2.b0");

    struct Case { const wchar_t* path; int index; bool lastSegment; const wchar_t* expected; };
    const Case cases[] = {
        {L"a.b", 0, false, L"a0.b0"},
        {L"a.b", 1, false, nullptr},     // the second a has no b; the third is not tried
        {L"a.b", 2, false, L"a2.b0"},
        {L"a.b", 0, true, L"a0.b0"},
        {L"a.b", 1, true, L"a0.b1"},     // the second b under the first a
        {L"a.b", 2, true, nullptr},
        {L"a.x", 0, true, nullptr},
    };
    for (const Case& c : cases) {
        CXmlNodePtr found = CXmlNodePtr::Adopt(c.lastSegment ? root->FindChildAtLastSegment(c.path, c.index)
                                                             : root->FindChild(c.path, c.index));
        std::wstring id;
        if (found)
            found->GetAttributeString(L"id", id);
        EXPECT_EQ(std::wstring(c.expected ? c.expected : L""), id)
            << c.path << " #" << c.index << (c.lastSegment ? " (last segment)" : "");
    }
}

TEST_F(XmlNodeTest, NodeWithoutChildrenFindsNothing)
{
    CXmlNodePtr leaf = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"leaf"));
    EXPECT_EQ(nullptr, leaf->FindChild(L"", 0));
    EXPECT_EQ(nullptr, leaf->FindChildAtLastSegment(L"", 0));
}

TEST_F(XmlNodeTest, FindChildWithAttributeMatchesValueExactly)
{
    CXmlNodePtr root = MakeRoot({L"Style", L"Style", L"Style"});
    CXmlNodePtr found = CXmlNodePtr::Adopt(root->FindChildWithAttribute(L"style", L"id", L"2"));
    EXPECT_EQ(2, IdOf(found.Get()));
    EXPECT_EQ(nullptr, root->FindChildWithAttribute(L"style", L"id", L"3"));
    EXPECT_EQ(nullptr, root->FindChildWithAttribute(L"style", L"ID", L"1"));
}

TEST_F(XmlNodeTest, RemoveChildReleasesOnceAndIgnoresStrangers)
{
    CXmlNodePtr root = MakeRoot({L"a", L"b", L"c"});
    CXmlNodePtr stranger = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"b"));
    const long before = g_xmlNodeCount;
    root->RemoveChild(stranger.Get());
    EXPECT_EQ(before, g_xmlNodeCount);

    CXmlNodePtr b = CXmlNodePtr::Adopt(root->FindChild(L"b", 0));
    root->RemoveChild(b.Get());
    EXPECT_EQ(before, g_xmlNodeCount);   // still held here
    EXPECT_EQ(L"<a id=\"0\">\r\n</a>\r\n<c id=\"2\">\r\n</c>\r\n", Written(root.Get()));
    b.Reset();
    EXPECT_EQ(before - 1, g_xmlNodeCount);
}

TEST_F(XmlNodeTest, WriterPutsAttributesInNameOrderAndTextAsCData)
{
    CXmlNodePtr data = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"data"));
    data->SetAttribute(L"z", L"1");
    data->SetAttribute(L"a", L"2");
    data->SetText(L"x < y");
    EXPECT_EQ(L"<data a=\"2\" z=\"1\">\r\n<![CDATA[x < y]]>\r\n</data>\r\n", Written(data.Get()));
}

TEST_F(XmlNodeTest, UnnamedNodesContributeOnlyTextAndChildren)
{
    CXmlNodePtr empty = CXmlNodePtr::Adopt(new CXmlNode());
    EXPECT_EQ(L"", Written(empty.Get()));

    CXmlNodePtr root = MakeRoot({L"one", L"two"});
    EXPECT_EQ(L"<one id=\"0\">\r\n</one>\r\n<two id=\"1\">\r\n</two>\r\n", Written(root.Get()));
}

TEST_F(XmlNodeTest, WriterEscapesWhatAReaderWouldChange)
{
    CXmlNodePtr node = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"n"));
    node->SetAttribute(L"v", L"&<>\"\t\r\n'");
    node->SetText(L"a]]>b\rc\nd");
    EXPECT_EQ(L"<n v=\"&amp;&lt;&gt;&quot;&#9;&#13;&#10;'\">\r\n"
              L"<![CDATA[a]]]]><![CDATA[>b]]>&#13;<![CDATA[c]]>\n<![CDATA[d]]>\r\n"
              L"</n>\r\n",
              Written(node.Get()));
}

TEST_F(XmlNodeTest, FileWriterWritesTheSameUtf16Text)
{
    CXmlNodePtr node = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"caf\u00e9"));
    node->SetText(L"\u20ac 5");
    FILE* file = tmpfile();
    ASSERT_NE(nullptr, file);
    node->WriteToFile(file);
    const long bytes = ftell(file);
    std::wstring readBack(static_cast<size_t>(bytes) / sizeof(wchar_t), L'\0');
    rewind(file);
    ASSERT_EQ(static_cast<size_t>(bytes), fread(&readBack[0], 1, static_cast<size_t>(bytes), file));
    fclose(file);
    EXPECT_EQ(Written(node.Get()), readBack);
}

TEST_F(XmlNodeTest, NumberAttributes)
{
    CXmlNodePtr node = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"n"));
    node->SetAttributeInt(L"i", 7);
    node->SetAttributeInt(L"i", -5);
    EXPECT_EQ(1, node->GetAttributeCount());
    EXPECT_STREQ(L"-5", node->GetAttributeValue(0));

    node->SetAttributeDouble(L"d2", 7.256, L"%.2f");
    node->SetAttributeDouble(L"d8", 0.5);
    node->SetAttributeDouble(L"huge", 1e300, L"%f");   // 301 digits: no fixed buffer to overflow
    std::wstring text;
    node->GetAttributeString(L"d2", text);
    EXPECT_EQ(L"7.26", text);
    node->GetAttributeString(L"d8", text);
    EXPECT_EQ(L"0.50000000", text);
    node->GetAttributeString(L"huge", text);
    EXPECT_EQ(308u, text.size());
    EXPECT_EQ(L".000000", text.substr(301));
}

TEST_F(XmlNodeTest, AttributeReadsConvertLikeTheCLibrary)
{
    CXmlNodePtr node = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"n"));
    struct Case { const wchar_t* value; int asInt; double asDouble; };
    const Case cases[] = {
        {L"12abc", 12, 12.0}, {L"abc", 0, 0.0}, {L"  -3", -3, -3.0}, {L"2.5e1x", 2, 25.0}, {L"", 0, 0.0},
    };
    for (const Case& c : cases) {
        node->SetAttribute(L"v", c.value);
        int i = 99;
        double d = 99.0;
        EXPECT_TRUE(node->GetAttributeInt(L"v", i));
        EXPECT_TRUE(node->GetAttributeDouble(L"v", d));
        EXPECT_EQ(c.asInt, i) << c.value;
        EXPECT_DOUBLE_EQ(c.asDouble, d) << c.value;
    }

    int untouched = 42;
    double untouchedDouble = 4.2;
    std::wstring text = L"old";
    wchar_t* copy = nullptr;
    EXPECT_FALSE(node->GetAttributeInt(L"missing", untouched));
    EXPECT_FALSE(node->GetAttributeDouble(L"missing", untouchedDouble));
    EXPECT_FALSE(node->GetAttributeString(L"missing", text));
    EXPECT_FALSE(node->GetAttributeCopy(L"missing", &copy));
    EXPECT_EQ(42, untouched);
    EXPECT_EQ(4.2, untouchedDouble);
    EXPECT_EQ(L"", text);
    EXPECT_EQ(nullptr, copy);

    ASSERT_TRUE(node->GetAttributeCopy(L"v", &copy));
    EXPECT_STREQ(L"", copy);
    delete[] copy;
}

// The host may switch its process to a locale with a decimal comma; stored
// documents and provider replies keep the point.
TEST_F(XmlNodeTest, NumberAttributesKeepThePointInACommaLocale)
{
    struct ProcessLocale {
        ProcessLocale() { std::setlocale(LC_ALL, "German_Germany.1252"); }
        ~ProcessLocale() { std::setlocale(LC_ALL, "C"); }
    } german;
    ASSERT_STREQ(",", std::localeconv()->decimal_point) << "the comma locale is not there to test in";

    CXmlNodePtr node = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"n"));
    node->SetAttributeDouble(L"d8", 0.5);
    node->SetAttributeDouble(L"d2", 7.256, L"%.2lf");
    std::wstring text;
    node->GetAttributeString(L"d8", text);
    EXPECT_EQ(L"0.50000000", text);
    node->GetAttributeString(L"d2", text);
    EXPECT_EQ(L"7.26", text);
    node->SetAttribute(L"v", L"2.5");
    double value = 0;
    EXPECT_TRUE(node->GetAttributeDouble(L"v", value));
    EXPECT_EQ(2.5, value);
}

TEST_F(XmlNodeTest, AttributesByPosition)
{
    CXmlNodePtr node = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"n"));
    node->SetAttribute(L"b", L"2");
    node->SetAttribute(L"B", L"1");
    node->SetAttribute(L"a", L"3");
    ASSERT_EQ(3, node->GetAttributeCount());
    EXPECT_STREQ(L"B", node->GetAttributeName(0));   // code-unit order: upper case first
    EXPECT_STREQ(L"a", node->GetAttributeName(1));
    EXPECT_STREQ(L"2", node->GetAttributeValue(2));
    EXPECT_EQ(nullptr, node->GetAttributeName(3));
    EXPECT_EQ(nullptr, node->GetAttributeValue(-1));
}

TEST_F(XmlNodeTest, SettingAttributesInAnyOrderKeepsOneValuePerNameInNameOrder)
{
    // Each sequence of settings beside what the node must hold after it.
    struct Setting { const wchar_t* name; const wchar_t* value; };
    struct Case { std::vector<Setting> settings; const wchar_t* attributes; };
    const Case cases[] = {
        {{{L"b", L"1"}, {L"a", L"2"}, {L"c", L"3"}}, L"a=2;b=1;c=3;"},
        {{{L"c", L"1"}, {L"b", L"2"}, {L"a", L"3"}, {L"b", L"4"}, {L"c", L"5"}}, L"a=3;b=4;c=5;"},
        {{{L"ab", L"1"}, {L"a", L"2"}, {L"", L"3"}, {L"a", L"4"}, {L"abc", L"5"}, {L"", L"6"}},
         L"=6;a=4;ab=1;abc=5;"},
        {{{L"x", L"a long value beyond any short-string buffer"}, {L"x", L"s"}, {L"w", L"t"}}, L"w=t;x=s;"},
    };
    for (const Case& c : cases) {
        CXmlNodePtr node = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"n"));
        for (const Setting& setting : c.settings)
            node->SetAttribute(setting.name, setting.value);
        EXPECT_EQ(c.attributes, AttributeList(*node));
    }
}

TEST_F(XmlNodeTest, TrimTextRemovesCWhiteSpaceAtBothEndsOnly)
{
    CXmlNodePtr node = CXmlNodePtr::Adopt(new CXmlNode());
    struct Case { const wchar_t* text; const wchar_t* trimmed; };
    const Case cases[] = {
        {L" \r\nx y \t", L"x y"}, {L"\r\n\t ", L""}, {L"", L""}, {L"x", L"x"},
        {L"\v\fx\v\f", L"x"}, {L"\u00a0x\u00a0", L"\u00a0x\u00a0"},
    };
    for (const Case& c : cases) {
        node->SetText(c.text);
        node->TrimText();
        EXPECT_STREQ(c.trimmed, node->GetText());
    }
}

TEST_F(XmlNodeTest, CountedSettersTakeExactlyTheCount)
{
    CXmlNodePtr node = CXmlNodePtr::Adopt(new CXmlNode());
    node->SetNameCounted(L"command-and-more", 7);
    node->SetAttributeCounted(L"sub=x", 3, L"GetHistorical!", 13);
    node->AppendText(L"abc", 2);
    node->AppendText(L"cd", 1);
    EXPECT_STREQ(L"command", node->GetName());
    EXPECT_EQ(L"<command sub=\"GetHistorical\">\r\n<![CDATA[abc]]>\r\n</command>\r\n", Written(node.Get()));
}

TEST_F(XmlNodeTest, ReleasingTheRootFreesTheWholeTreeButNotHeldSubtrees)
{
    const long start = g_xmlNodeCount;
    CXmlNode* root = new CXmlNode(nullptr, L"r");
    CXmlNode* a = new CXmlNode(root, L"a");
    new CXmlNode(a, L"a1");
    new CXmlNode(root, L"b");
    EXPECT_EQ(start + 4, g_xmlNodeCount);

    a->AddRef();
    root->Release();
    EXPECT_EQ(start + 2, g_xmlNodeCount);
    EXPECT_EQ(nullptr, a->GetParent());
    EXPECT_EQ(L"<a>\r\n<a1>\r\n</a1>\r\n</a>\r\n", Written(a));
    a->Release();
    EXPECT_EQ(start, g_xmlNodeCount);
}

TEST_F(XmlNodeTest, ATreeBuiltInCodeAMillionLevelsDeepIsWrittenSearchedAndFreed)
{
    const size_t kDepth = 1000000;
    CXmlNodePtr root = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"a"));
    CXmlNode* deepest = root.Get();
    for (size_t i = 1; i < kDepth; ++i)
        deepest = new CXmlNode(deepest, L"a");
    deepest->SetText(L"end");

    std::wstring text;
    root->WriteToString(text);
    const std::wstring innermost = L"<a>\r\n<![CDATA[end]]>\r\n</a>\r\n</a>\r\n";
    EXPECT_EQ(kDepth * 11 + 17, text.size());
    EXPECT_EQ((kDepth - 1) * 5, text.find(innermost));

    // A path of one segment per level below the root.
    std::wstring path = L"a";
    for (size_t i = 2; i < kDepth; ++i)
        path += L".a";
    for (CXmlNode* found : {root->FindChild(path.c_str(), 0), root->FindChildAtLastSegment(path.c_str(), 0)}) {
        EXPECT_EQ(deepest, found);
        if (found)
            found->Release();
    }

    root.Reset();  // the fixture checks that every node went
}

}  // namespace
