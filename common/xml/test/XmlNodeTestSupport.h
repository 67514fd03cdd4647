#pragma once
// Test fixture: every test must leave the live-node count where it found it.

#include <gtest/gtest.h>

#include <string>

#include "common/xml/XmlNode.h"

class XmlNodeLeakCheck : public ::testing::Test {
protected:
    void SetUp() override { m_startCount = g_xmlNodeCount; }
    void TearDown() override { EXPECT_EQ(m_startCount, g_xmlNodeCount) << "nodes leaked or over-released"; }

private:
    long m_startCount = 0;
};

// `depth` elements "a", each the only content of the one before, around
// `inner`: a document deeper than any reader here may take.
inline std::wstring NestedElements(size_t depth, const std::wstring& inner = L"")
{
    std::wstring text;
    text.reserve(depth * 7 + inner.size());
    for (size_t i = 0; i < depth; ++i)
        text += L"<a>";
    text += inner;
    for (size_t i = 0; i < depth; ++i)
        text += L"</a>";
    return text;
}

// "name=value;" for each attribute of `node` by position; each name must be
// found again by lookup, with the same value.
inline std::wstring AttributeList(const CXmlNode& node)
{
    std::wstring list;
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        list += std::wstring(node.GetAttributeName(i)) + L"=" + node.GetAttributeValue(i) + L";";
        std::wstring value;
        EXPECT_TRUE(node.GetAttributeString(node.GetAttributeName(i), value)) << node.GetAttributeName(i);
        EXPECT_STREQ(node.GetAttributeValue(i), value.c_str());
    }
    return list;
}
