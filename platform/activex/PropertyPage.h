#pragma once
// Base of our property pages: IPropertyPage on a dialog template of the
// module that links the layer (a child template, DS_CONTROL, no caption or
// border), titled by a string resource. The page window exists from
// Activate to Deactivate. A page that exchanges values with its objects
// overrides the hooks below; the base exchanges nothing and is never dirty.
//
// A page lives on the thread of the apartment that made it; nothing here is
// guarded.

#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <vector>

#include "base/com/ComObject.h"
#include "base/com/RefPtr.h"
#include "platform/activex/ComServer.h"

class CDialog;

class CActiveXPropertyPage : public ComObject<IPropertyPage> {
public:
    CActiveXPropertyPage(UINT dialogId, UINT titleId);

    HRESULT FinalConstruct() { return S_OK; }

    // IPropertyPage
    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR helpDir) override;
    STDMETHODIMP TranslateAccelerator(MSG* message) override;

protected:
    ~CActiveXPropertyPage() override;

    // The objects the frame handed over, for a page that exchanges values.
    const std::vector<RefPtr<IUnknown>>& Objects() const { return m_objects; }

private:
    // The template's size in pixels, measured on a hidden window once.
    bool MeasurePage(SIZE& size);

    const ServerModuleLock m_moduleLock;
    const UINT m_dialogId;
    const UINT m_titleId;
    RefPtr<IPropertyPageSite> m_site;
    std::vector<RefPtr<IUnknown>> m_objects;
    std::unique_ptr<CDialog> m_page;
    SIZE m_size{};
};
