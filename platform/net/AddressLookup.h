#pragma once
// The lookup the bounded CInetAddress::Set runs for a name: getaddrinfo,
// unless a test put its own in (CScopedAddressLookup, InetAddressTestSupport.h).

#include <winsock2.h>
#include <ws2tcpip.h>

using AddressLookup = int(WSAAPI*)(const char* host, const char* service, const addrinfo* hints, addrinfo** list);

// Puts `lookup` in place for the lookups that start from now on; returns the
// one it replaced.
AddressLookup ReplaceAddressLookup(AddressLookup lookup);
