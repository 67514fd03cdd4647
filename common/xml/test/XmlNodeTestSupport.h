#pragma once
// Test fixture: every test must leave the live-node count where it found it.

#include <gtest/gtest.h>

#include "common/xml/XmlNode.h"

class XmlNodeLeakCheck : public ::testing::Test {
protected:
    void SetUp() override { m_startCount = g_xmlNodeCount; }
    void TearDown() override { EXPECT_EQ(m_startCount, g_xmlNodeCount) << "nodes leaked or over-released"; }

private:
    long m_startCount = 0;
};
