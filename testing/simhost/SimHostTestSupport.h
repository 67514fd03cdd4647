#pragma once
// Helpers for tests that drive the simulated host.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/simhost/SimHost.h"

// The last logged call of a member, or null.
inline const SimCallRecord* LastCall(const CSimHost& host, const std::wstring& className, const std::wstring& member)
{
    const std::vector<SimCallRecord>& calls = host.Calls();
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->className == className && it->member == member)
            return &*it;
    return nullptr;
}

// "Member "argument" ..." of every logged call on one class of host objects.
inline std::vector<std::wstring> CallsOf(const CSimHost& host, const std::wstring& className)
{
    std::vector<std::wstring> calls;
    for (const SimCallRecord& call : host.Calls())
        if (call.className == className) {
            std::wstring text = call.member;
            for (const std::wstring& argument : call.argumentText)
                text += L" \"" + argument + L"\"";
            calls.push_back(text);
        }
    return calls;
}

// A host with one scene "Main" that has two transitions.
class SimHostFixture : public ::testing::Test {
protected:
    SimHostFixture() : scene(host.AddScene(L"Main"))
    {
        host.AddTransition(scene, L"In");
        host.AddTransition(scene, L"Out");
    }
    void SetUp() override { m_startReferences = host.OutsideReferences(); }
    // Every reference a client took on the host's objects must be gone again.
    void TearDown() override { EXPECT_EQ(m_startReferences, host.OutsideReferences()) << "host references leaked"; }

    CSimHost host;
    CSimScene& scene;

private:
    long m_startReferences = 0;
};
