#pragma once
// Message loops that give the objects of the window chain their
// PreTranslateMessage step before a message is translated and dispatched.

#include <windows.h>

// Offers a keyboard or mouse message to the object of its window and then of
// each parent up to the top-level window, or only up to `top` when one is
// given; true when one of them swallowed it. Other messages are not offered.
bool PreTranslateWindowMessage(MSG& msg, HWND top = nullptr);

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

// Handles the messages that are waiting now, then returns.
void PumpWaitingMessages();
