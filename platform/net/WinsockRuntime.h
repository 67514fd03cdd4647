#pragma once
// Winsock is started on first use, never from DllMain. WSAStartup is
// reference counted, so starting it where the host already did is harmless.

// True once Winsock 2.2 is usable in this process.
bool EnsureWinsockStarted();
