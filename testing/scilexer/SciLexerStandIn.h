#pragma once
// What the stand-in editing component answers beyond the published messages:
// read-back of settings that the real component keeps to itself, and a record
// of what it was sent.

#include "common/editor/ScintillaMessages.h"

// wParam: keyword set (0-8); lParam: byte buffer or 0. Copies the set's words
// and a terminator; returns their length.
constexpr unsigned SCI_STANDIN_GETKEYWORDS = 9001;
// Returns how many times SciMessage::Colourise was sent.
constexpr unsigned SCI_STANDIN_GETCOLOURISECOUNT = 9002;

// The last published message the editor was sent, by window or direct call.
struct StandInCall {
    unsigned message;
    uptr_t wParam;
    sptr_t lParam;
};
// lParam: StandInCall* that receives it. Messages of this file are not recorded.
constexpr unsigned SCI_STANDIN_GETLASTCALL = 9003;
// wParam: what every message the stand-in does not model answers from now
// on (0 until set).
constexpr unsigned SCI_STANDIN_SETANSWER = 9004;

// A style's settings, read back through the numbers that later releases of
// the component publish for them. lParam of the font: byte buffer or 0.
constexpr unsigned SCI_STYLEGETFORE = 2481;
constexpr unsigned SCI_STYLEGETBACK = 2482;
constexpr unsigned SCI_STYLEGETBOLD = 2483;
constexpr unsigned SCI_STYLEGETITALIC = 2484;
constexpr unsigned SCI_STYLEGETSIZE = 2485;
constexpr unsigned SCI_STYLEGETFONT = 2486;
