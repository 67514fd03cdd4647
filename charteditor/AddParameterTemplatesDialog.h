#pragma once
// CAddParameterTemplatesDialog ("Make Group"): asks for the chart's name
// and, on OK, imports the line-chart templates for it into the active scene.

#include <oaidl.h>

#include <string>

#include "platform/ui/Dialog.h"

class CAddParameterTemplatesDialog : public CDialog {
public:
    // `application` is the host's, not owned; it must outlive the dialog.
    CAddParameterTemplatesDialog(HWND parent, IDispatch* application, std::wstring nodeName);

    // Kept for the callers ("<chart> Params"); the import does not use it.
    void SetParamsName(const std::wstring& name) { m_paramsName = name; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    IDispatch* m_application;
    std::wstring m_nodeName;
    std::wstring m_paramsName;
};
