#pragma once
// The error every host wrapper raises when a host call fails.
//
// Wrappers never catch it themselves (one exception: CHostScene::GetActiveObject
// turns it into a null result). A caller catches it around its whole operation:
//
//     try {
//         auto canvas = app.GetActiveCanvas();
//         ...
//     } catch (const CHostException& e) {
//         // e.HResult(), e.Description()
//     }
//
// Code that runs inside a COM method of ours (a control's dispatch method, an
// event sink) must catch it before returning: no exception may cross a COM
// boundary.

#include <windows.h>

#include <exception>
#include <string>

class CHostException : public std::exception {
public:
    // `fromHost` is true when the host raised the error itself
    // (DISP_E_EXCEPTION with error information), false for a failed call.
    CHostException(HRESULT hr, std::wstring description, std::wstring source, bool fromHost);

    // The host's own error code when it gave one, else the call's HRESULT.
    HRESULT HResult() const { return m_hr; }
    const std::wstring& Description() const { return m_description; }
    const std::wstring& Source() const { return m_source; }
    bool IsHostError() const { return m_fromHost; }

    const char* what() const noexcept override;

private:
    HRESULT m_hr;
    std::wstring m_description;
    std::wstring m_source;
    bool m_fromHost;
};

// A wrapper that cannot build a call's argument or result (E_OUTOFMEMORY).
class CHostOutOfMemory : public CHostException {
public:
    CHostOutOfMemory() : CHostException(E_OUTOFMEMORY, L"out of memory", L"", false) {}
};
