#include "platform/activex/PropertyPage.h"

#include <cwchar>

#include "base/win/UniqueHandle.h"
#include "platform/ui/Dialog.h"

namespace {

wchar_t* TaskMemoryCopy(const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
    if (copy)
        wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

} // namespace

CActiveXPropertyPage::CActiveXPropertyPage(UINT dialogId, UINT titleId) : m_dialogId(dialogId), m_titleId(titleId) {}

CActiveXPropertyPage::~CActiveXPropertyPage()
{
    m_page.reset();
}

STDMETHODIMP CActiveXPropertyPage::SetPageSite(IPropertyPageSite* site)
{
    m_site = RefPtr<IPropertyPageSite>(site);
    return S_OK;
}

STDMETHODIMP CActiveXPropertyPage::Activate(HWND parent, LPCRECT rect, BOOL)
{
    if (!rect)
        return E_POINTER;
    if (m_page)
        return E_UNEXPECTED;
    auto page = std::make_unique<CDialog>(m_dialogId, parent);
    if (!page->Create())
        return E_FAIL;
    m_page = std::move(page);
    return Move(rect);
}

STDMETHODIMP CActiveXPropertyPage::Deactivate()
{
    m_page.reset();
    return S_OK;
}

STDMETHODIMP CActiveXPropertyPage::GetPageInfo(PROPPAGEINFO* info)
{
    if (!info)
        return E_POINTER;
    SIZE size{};
    if (!MeasurePage(size))
        return E_FAIL;
    wchar_t* title = TaskMemoryCopy(LoadModuleString(m_titleId));
    if (!title)
        return E_OUTOFMEMORY;
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = title;
    info->size = size;
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

bool CActiveXPropertyPage::MeasurePage(SIZE& size)
{
    if (m_size.cx == 0 && m_size.cy == 0) {
        // A child template wants a parent: a hidden one of our own.
        UniqueWindow holder(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                            nullptr));
        CDialog measured(m_dialogId, holder.Get());
        if (!holder || !measured.Create())
            return false;
        RECT rect{};
        GetWindowRect(measured.GetSafeHwnd(), &rect);
        m_size = SIZE{rect.right - rect.left, rect.bottom - rect.top};
        measured.DestroyWindow();
    }
    size = m_size;
    return true;
}

STDMETHODIMP CActiveXPropertyPage::SetObjects(ULONG count, IUnknown** objects)
{
    if (count && !objects)
        return E_POINTER;
    std::vector<RefPtr<IUnknown>> kept;
    for (ULONG i = 0; i < count; ++i)
        kept.emplace_back(objects[i]);
    m_objects = std::move(kept);
    return S_OK;
}

STDMETHODIMP CActiveXPropertyPage::Show(UINT command)
{
    if (!m_page)
        return E_UNEXPECTED;
    ShowWindow(m_page->GetSafeHwnd(), static_cast<int>(command));
    return S_OK;
}

STDMETHODIMP CActiveXPropertyPage::Move(LPCRECT rect)
{
    if (!rect)
        return E_POINTER;
    if (!m_page)
        return E_UNEXPECTED;
    MoveWindow(m_page->GetSafeHwnd(), rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP CActiveXPropertyPage::IsPageDirty()
{
    return S_FALSE;
}

STDMETHODIMP CActiveXPropertyPage::Apply()
{
    return S_OK;
}

STDMETHODIMP CActiveXPropertyPage::Help(LPCOLESTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CActiveXPropertyPage::TranslateAccelerator(MSG* message)
{
    if (!message)
        return E_POINTER;
    return m_page && m_page->PreTranslateMessage(*message) ? S_OK : S_FALSE;
}
