#pragma once
// The object through which a provider script builds the reply to a data
// request: members 1-9 of its dispatch interface add to the bound reply tree,
// log, or save the tree.

#include "common/automation/AutomationObject.h"
#include "common/xml/XmlNode.h"

class CScrivaneObject final : public CAutomationObject {
public:
    // Reference count 1, owned by the caller.
    CScrivaneObject();

    STDMETHODIMP Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    void SetResultTree(CXmlNode* root) override;

private:
    ~CScrivaneObject() override = default;

    HRESULT RunMember(DISPID member, const DISPPARAMS& params, UINT* argumentError);
    HRESULT AddDataEntry(const DISPPARAMS& params, UINT* argumentError);
    HRESULT SetAttributeOn(const wchar_t* element, const DISPPARAMS& params, UINT* argumentError);
    HRESULT AppendSceneGraphChild(const wchar_t* name, const DISPPARAMS& params, UINT* argumentError);
    HRESULT SaveResponse(const DISPPARAMS& params, UINT* argumentError);
    // The root's child of that name, made at the end of the root when missing.
    CXmlNodePtr FindOrCreate(const wchar_t* element);

    CXmlNodePtr m_root;
};
