#include "textvote/vote/VoteDownload.h"

#include <windows.h>
#include <urlmon.h>

#include "base/com/ComObject.h"
#include "base/com/RefPtr.h"

namespace {

// Watches one download for the HTTP status of its answer.
class CStatusWatch final : public ComObject<IBindStatusCallback, IHttpNegotiate> {
public:
    static RefPtr<CStatusWatch> Create() { return RefPtr<CStatusWatch>::Adopt(new CStatusWatch); }
    // 0 until an HTTP answer came.
    DWORD Status() const { return m_status; }
    bool TooLarge() const { return m_tooLarge; }

    STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return S_OK; }
    STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnLowResource(DWORD) override { return S_OK; }
    // An answer announced or grown past the page bound is broken off.
    STDMETHODIMP OnProgress(ULONG progress, ULONG progressMax, ULONG status, LPCWSTR) override
    {
        const bool data = status == BINDSTATUS_BEGINDOWNLOADDATA || status == BINDSTATUS_DOWNLOADINGDATA ||
                          status == BINDSTATUS_ENDDOWNLOADDATA;
        if (data && (progress > kMaxVotePageBytes || progressMax > kMaxVotePageBytes)) {
            m_tooLarge = true;
            return E_ABORT;
        }
        return S_OK;
    }
    STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
    // Vote counts change between polls: never an answer from the cache.
    STDMETHODIMP GetBindInfo(DWORD* flags, BINDINFO*) override
    {
        if (flags)
            *flags |= BINDF_GETNEWESTVERSION | BINDF_NOWRITECACHE | BINDF_PRAGMA_NO_CACHE;
        return S_OK;
    }
    STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
    STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

    STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) override
    {
        if (additionalHeaders)
            *additionalHeaders = nullptr;
        return S_OK;
    }
    STDMETHODIMP OnResponse(DWORD status, LPCWSTR, LPCWSTR, LPWSTR* additionalHeaders) override
    {
        m_status = status;
        if (additionalHeaders)
            *additionalHeaders = nullptr;
        return S_OK;
    }

private:
    CStatusWatch() = default;
    DWORD m_status = 0;
    bool m_tooLarge = false;
};

}  // namespace

VotePageDownload DownloadVotePage(const std::wstring& address, const std::wstring& file)
{
    if (address.find_first_of(L"\r\n") != std::wstring::npos)
        return VotePageDownload::Failed;
    RefPtr<CStatusWatch> watch = CStatusWatch::Create();
    const HRESULT hr = URLDownloadToFileW(nullptr, address.c_str(), file.c_str(), 0, watch.Get());
    if (watch->TooLarge())
        return VotePageDownload::TooLarge;
    return SUCCEEDED(hr) && watch->Status() < 400 ? VotePageDownload::Downloaded : VotePageDownload::Failed;
}
