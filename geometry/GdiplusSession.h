#pragma once
// GDI+ started for the lifetime of the object.

#include <windows.h>
#include <gdiplus.h>

class CGdiplusSession {
public:
    CGdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        m_status = Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    ~CGdiplusSession()
    {
        if (m_status == Gdiplus::Ok)
            Gdiplus::GdiplusShutdown(m_token);
    }
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    bool IsStarted() const { return m_status == Gdiplus::Ok; }

private:
    ULONG_PTR m_token = 0;
    Gdiplus::Status m_status = Gdiplus::GenericError;
};
