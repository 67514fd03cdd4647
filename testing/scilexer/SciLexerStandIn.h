#pragma once
// What the stand-in editing component answers beyond the published messages:
// read-back of settings that the real component keeps to itself.

// wParam: keyword set (0-8); lParam: byte buffer or 0. Copies the set's words
// and a terminator; returns their length.
constexpr unsigned SCI_STANDIN_GETKEYWORDS = 9001;
// Returns how many times SCI_COLOURISE was sent.
constexpr unsigned SCI_STANDIN_GETCOLOURISECOUNT = 9002;
