#pragma once
// The editing component's direct-call interface, its structures, and the
// numbers of its messages by name (SciMessage::AddText is 2001), expanded
// from the message table.

#include "common/editor/ScintillaMessageTable.h"

#include <windows.h>
#include <cstdint>

using sptr_t = intptr_t;
using uptr_t = uintptr_t;
// The component's direct-call function (calling convention of its C interface).
using SciFnDirect = sptr_t (*)(sptr_t ptr, unsigned int message, uptr_t wParam, sptr_t lParam);

// The structures some messages point to, laid out as the component reads them.
struct SciCharacterRange {
    long min;
    long max;
};

struct SciTextRange {
    SciCharacterRange range;
    char* text; // receives the range's bytes and a terminator
};

struct SciTextToFind {
    SciCharacterRange range;
    const char* text;
    SciCharacterRange found;
};

struct SciRangeToFormat {
    HDC hdc;
    HDC hdcTarget;
    RECT rc;
    RECT rcPage;
    SciCharacterRange range;
};

// The packed key of AssignCmdKey and ClearCmdKey.
constexpr DWORD SciKeyMod(int key, int modifiers)
{
    return static_cast<DWORD>(key & 0xFFFF) | (static_cast<DWORD>(modifiers) << 16);
}

#pragma push_macro("FindText")
#undef FindText
namespace SciMessage {
enum : unsigned {
#define SCI_MESSAGE_NUMBER(number, name, ...) name = number,
    SCINTILLA_MESSAGES(SCI_MESSAGE_NUMBER)
#undef SCI_MESSAGE_NUMBER
    GetDirectFunction = 2184,
    GetDirectPointer = 2185,
};
} // namespace SciMessage
#pragma pop_macro("FindText")

constexpr int SC_CP_UTF8 = 65001;
constexpr int STYLE_DEFAULT = 32;
constexpr int SCLEX_VBSCRIPT = 28;
