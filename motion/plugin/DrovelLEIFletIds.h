#pragma once
// The motion plug-in control's identity and the names it shares with the host.

#include <windows.h>

// {7E453015-0C88-4DD6-AB4E-A04D4ED27B24}
constexpr CLSID kDrovelClsid = {0x7e453015, 0x0c88, 0x4dd6, {0xab, 0x4e, 0xa0, 0x4d, 0x4e, 0xd2, 0x7b, 0x24}};
// {41458941-3ECE-46F1-BE46-FF2252310B9C}: the empty property page
constexpr CLSID kDrovelPageClsid = {0x41458941, 0x3ece, 0x46f1, {0xbe, 0x46, 0xff, 0x22, 0x52, 0x31, 0x0b, 0x9c}};
// {80E65D46-78BE-48E4-83C4-EA9D52A1ADDB}
constexpr IID kDrovelDispatchIid = {0x80e65d46, 0x78be, 0x48e4, {0x83, 0xc4, 0xea, 0x9d, 0x52, 0xa1, 0xad, 0xdb}};
// {4EA0A4D5-5D0C-4C2A-A1A2-7AA8444F7CF0}: no events are fired
constexpr IID kDrovelEventIid = {0x4ea0a4d5, 0x5d0c, 0x4c2a, {0xa1, 0xa2, 0x7a, 0xa8, 0x44, 0x4f, 0x7c, 0xf0}};
// {748E82FD-955E-4DEA-B5A8-D181E9F00D04}, version 1.0
constexpr GUID kDrovelLibraryId = {0x748e82fd, 0x955e, 0x4dea, {0xb5, 0xa8, 0xd1, 0x81, 0xe9, 0xf0, 0x0d, 0x04}};

constexpr wchar_t kDrovelProgId[] = L"Velmora.Drovel.LEIFlet.1";
constexpr wchar_t kDrovelPageProgId[] = L"Velmora.Drovel.LEIFletProps.1";
// ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST | INSIDEOUT | CANTLINKINSIDE | RECOMPOSEONRESIZE
constexpr DWORD kDrovelMiscStatus = 0x20191;

// The custom-property group of a movie object's motion-control settings; the
// control edits them itself, as the editor registered under its ProgID.
constexpr wchar_t kDrovelPropertyGroup[] = L"Velmora.Drovel.LEIFlet.1::Drovel";
