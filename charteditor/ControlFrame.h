#pragma once
// CControlFrame: the frame inside the editor window that holds its view.

#include "platform/ui/FrameWnd.h"

class CControlFrame : public CFrameWnd {
};
