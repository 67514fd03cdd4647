#include "platform/net/InetAddress.h"

#include <gtest/gtest.h>

#include "platform/net/test/InetAddressTestSupport.h"

namespace {

std::string TextOf(const addrinfo* entry)
{
    char text[INET6_ADDRSTRLEN] = {};
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
    inet_ntop(AF_INET, const_cast<in_addr*>(&ipv4->sin_addr), text, sizeof text);
    return text;
}

}  // namespace

TEST(InetAddress, ANumericAddressResolvesWithoutALookup)
{
    CHeldNameLookup lookup(true);
    CInetAddress address;
    ASSERT_TRUE(address.Set(21, "192.0.2.7", AF_INET, 0));
    EXPECT_EQ("192.0.2.7", TextOf(address.First()));
    EXPECT_EQ(htons(21), reinterpret_cast<const sockaddr_in*>(address.First()->ai_addr)->sin_port);
    EXPECT_TRUE(lookup.Hosts().empty());
}

TEST(InetAddress, ANameResolvesWithinTheBound)
{
    CHeldNameLookup lookup(false);
    CInetAddress address;
    ASSERT_TRUE(address.Set(21, "provider.example", AF_INET, 5000));
    EXPECT_EQ("127.0.0.1", TextOf(address.First()));
    EXPECT_EQ(std::vector<std::string>{"provider.example"}, lookup.Hosts());
}

TEST(InetAddress, ANameLookupSlowerThanTheBoundIsGivenUp)
{
    CHeldNameLookup lookup(true);
    CInetAddress address;
    EXPECT_FALSE(address.Set(21, "provider.example", AF_INET, 200));
    EXPECT_EQ(WSAETIMEDOUT, address.Error());
    EXPECT_EQ(nullptr, address.First());
    // The late worker frees what it found on its own, the caller long gone.
    EXPECT_TRUE(lookup.ReleaseAndWaitForWorkers(1));
}
