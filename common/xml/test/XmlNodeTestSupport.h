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
