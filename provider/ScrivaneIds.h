#pragma once
// The reply object's type library and interface identifiers.

#include "common/automation/AutomationObject.h"

// {3C376D0D-23C2-4994-88D8-A1AAEC321786} v2.0, file "Scrivane.tlb"
constexpr GUID kScrivaneLibraryId = {0x3C376D0D, 0x23C2, 0x4994, {0x88, 0xD8, 0xA1, 0xAA, 0xEC, 0x32, 0x17, 0x86}};
// {13BA250D-3CD5-4DD3-94B3-8502C459F657}: the coclass
constexpr GUID kScrivaneObjectType = {0x13BA250D, 0x3CD5, 0x4DD3, {0x94, 0xB3, 0x85, 0x02, 0xC4, 0x59, 0xF6, 0x57}};
// {91FFADAB-393D-4283-8C0C-5B00E2738BAF}: the dispatch interface
constexpr GUID kScrivaneDispatchIid = {0x91FFADAB, 0x393D, 0x4283, {0x8C, 0x0C, 0x5B, 0x00, 0xE2, 0x73, 0x8B, 0xAF}};
// {8E70C389-58B6-4D17-A1FD-E1FF21C03C94}: the event interface
constexpr GUID kScrivaneEventIid = {0x8E70C389, 0x58B6, 0x4D17, {0xA1, 0xFD, 0xE1, 0xFF, 0x21, 0xC0, 0x3C, 0x94}};

inline AutomationIdentity ScrivaneIdentity()
{
    return {{kScrivaneLibraryId, 2, 0, L"Scrivane.tlb"}, kScrivaneObjectType, kScrivaneDispatchIid, kScrivaneEventIid};
}

// Dispatch ids of the members, as the type library declares them.
enum ScrivaneMember : DISPID {
    kWriteLog = 1,
    kAddDataEntry,
    kSetCurrent,
    kSaveResponse,
    kSetStatus,
    kSetDataAttribute,
    kSetExtra,
    kShowNode,
    kHideNode,
};
