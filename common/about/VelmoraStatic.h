#pragma once
// CVelmoraStatic: the maker's logo; a click opens the About box.

#include "platform/ui/Window.h"

class CVelmoraStatic : public CStatic {
public:
    // The system's hand cursor over the logo (loaded the first time).
    void SetHandCursor();

protected:
    void OnSubclassed() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HCURSOR m_cursor = nullptr; // a shared system cursor, never destroyed
};
