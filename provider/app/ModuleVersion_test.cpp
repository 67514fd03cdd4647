// The program's version and copyright, from the version block this test
// program carries as Scrivane does.
#include "provider/server/SocketListener.h"  // first: winsock2.h before windows.h

#include "provider/app/ProviderDialog.h"

#include <gtest/gtest.h>

namespace {

TEST(ModuleVersion, GivesTheDottedVersionAndTheCopyright)
{
    std::wstring version = L"old", copyright = L"old";
    GetModuleVersion(version, copyright);
    EXPECT_EQ(version, L"1.1.0.9");
    EXPECT_EQ(copyright, L"Copyright (C) Velmora");
}

}  // namespace
