#pragma once
// The device object's type library and interface identifiers.

#include "common/automation/AutomationObject.h"

// {9498EE3C-18F3-464F-944E-4159086918A8} v2.0, file "Drovel.tlb"
constexpr GUID kDrovelLibraryId = {0x9498EE3C, 0x18F3, 0x464F, {0x94, 0x4E, 0x41, 0x59, 0x08, 0x69, 0x18, 0xA8}};
// {A487256B-2913-4907-9478-CFE5CB38A4B2}: the coclass
constexpr GUID kDrovelObjectType = {0xA487256B, 0x2913, 0x4907, {0x94, 0x78, 0xCF, 0xE5, 0xCB, 0x38, 0xA4, 0xB2}};
// {B201125A-63FE-4608-BD72-EAFFBC5498D0}: IDrovelControl
constexpr GUID kDrovelDispatchIid = {0xB201125A, 0x63FE, 0x4608, {0xBD, 0x72, 0xEA, 0xFF, 0xBC, 0x54, 0x98, 0xD0}};
// {61A536D9-B687-4722-9C8C-9E3177C5AC34}: the event interface
constexpr GUID kDrovelEventIid = {0x61A536D9, 0xB687, 0x4722, {0x9C, 0x8C, 0x9E, 0x31, 0x77, 0xC5, 0xAC, 0x34}};

// Drovel.tlb beside the module that holds this code, so a player started
// from anywhere finds it.
AutomationIdentity DrovelIdentity();

// Dispatch ids of the members, as the type library declares them.
enum DrovelMember : DISPID {
    kOpenPort = 1,
    kSendReceive,
    kSendReceiveCount,
    kGetResponse,
    kPause,
    kSetGlobal,
    kSetScriptTimer,
    kTrace,
    kReceiveProcessor,
    kReceiveBufferEmpty,
    kReceiveMessage,
    kGetGlobal,
    kMarkTime,
    kReceiveTimeDelta,
    kGetCursorX,
    kGetCursorY,
    kGetScreenWidth,
    kGetScreenHeight,
    kIsEventSet,
    kSetNamedEvent,
};
