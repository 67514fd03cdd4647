#pragma once
// The chart control's identity and the names it shares with the host.

#include <windows.h>

// {8DDC23E1-38D4-4597-977E-CF0C42B361F4}
constexpr CLSID kQuillonClsid = {0x8ddc23e1, 0x38d4, 0x4597, {0x97, 0x7e, 0xcf, 0x0c, 0x42, 0xb3, 0x61, 0xf4}};
// {F7BCF1CA-158B-4917-8A34-5E1DE30F18DE}
constexpr IID kQuillonDispatchIid = {0xf7bcf1ca, 0x158b, 0x4917, {0x8a, 0x34, 0x5e, 0x1d, 0xe3, 0x0f, 0x18, 0xde}};
// {1B0A8410-97F3-4314-B8F4-52E1488E5275}: no events are fired
constexpr IID kQuillonEventIid = {0x1b0a8410, 0x97f3, 0x4314, {0xb8, 0xf4, 0x52, 0xe1, 0x48, 0x8e, 0x52, 0x75}};
// {E416CD80-0AEA-485E-A7A8-DF311F59E6CE}, version 1.0
constexpr GUID kQuillonLibraryId = {0xe416cd80, 0x0aea, 0x485e, {0xa7, 0xa8, 0xdf, 0x31, 0x1f, 0x59, 0xe6, 0xce}};

constexpr wchar_t kQuillonProgId[] = L"Velmora.LEIFlet.Plotvane.1";
// SETCLIENTSITEFIRST | ACTIVATEWHENVISIBLE | INSIDEOUT | CANTLINKINSIDE | RECOMPOSEONRESIZE
constexpr DWORD kQuillonMiscStatus = 0x20191;

// The custom-property group the control declares and every chart reads.
constexpr wchar_t kPlotvanePropertyGroup[] = L"Velmora.LEIFlet.Plotvane.1::Plotvane";
