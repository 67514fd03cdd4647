#pragma once
// The probe control's identity, shared by the probe and its tests.

#include <windows.h>

// {B3514091-2CC1-4DFA-8EA2-3D978B17DCAA}
constexpr CLSID kProbeClsid = {0xb3514091, 0x2cc1, 0x4dfa, {0x8e, 0xa2, 0x3d, 0x97, 0x8b, 0x17, 0xdc, 0xaa}};
// {08692F00-B30E-4801-903E-FC000BBA9328}: its property page
constexpr CLSID kProbePageClsid = {0x08692f00, 0xb30e, 0x4801, {0x90, 0x3e, 0xfc, 0x00, 0x0b, 0xba, 0x93, 0x28}};
// {15A0E739-2D44-42BE-A1F3-8C1DFCDDC0B3}
constexpr IID kProbeDispatchIid = {0x15a0e739, 0x2d44, 0x42be, {0xa1, 0xf3, 0x8c, 0x1d, 0xfc, 0xdd, 0xc0, 0xb3}};
// {507AE267-B2AF-4DB8-8BC4-727C788A0805}
constexpr IID kProbeEventIid = {0x507ae267, 0xb2af, 0x4db8, {0x8b, 0xc4, 0x72, 0x7c, 0x78, 0x8a, 0x08, 0x05}};
// {CD0FB337-8FF1-4A5E-A053-D7D17D9E0EE7}
constexpr GUID kProbeLibraryId = {0xcd0fb337, 0x8ff1, 0x4a5e, {0xa0, 0x53, 0xd7, 0xd1, 0x7d, 0x9e, 0x0e, 0xe7}};

constexpr wchar_t kProbeProgId[] = L"Velmora.Test.ActiveXProbe.1";
constexpr wchar_t kProbePageProgId[] = L"Velmora.Test.ActiveXProbePage.1";
constexpr DWORD kProbeMiscStatus = 0x20191;

// Fail(kind): what the member throws.
enum ProbeFailure : long { ProbeDispatchError = 1, ProbeOutOfMemory = 2, ProbeStrangeException = 3 };
