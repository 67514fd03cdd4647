#include "charteditor/AddParameterTemplatesDialog.h"

#include "chartcontrol/TemplateImportSeam.h"
#include "charteditor/ParameterTemplates.h"
#include "charteditor/ParameterTemplatesIds.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostException.h"
#include "platform/ui/UserPrompts.h"

CAddParameterTemplatesDialog::CAddParameterTemplatesDialog(HWND parent, IDispatch* application, std::wstring nodeName)
    : CDialog(IDD_ADD_PARAMETER_TEMPLATES, parent), m_application(application), m_nodeName(std::move(nodeName))
{
}

BOOL CAddParameterTemplatesDialog::OnInitDialog()
{
    SetItemText(IDC_TEMPLATE_NODE_NAME, m_nodeName);
    return TRUE;
}

void CAddParameterTemplatesDialog::OnOK()
{
    m_nodeName = GetItemText(IDC_TEMPLATE_NODE_NAME);
    if (m_application) {
        try {
            CHostApplication host;
            host.Attach(m_application);
            ImportParameterTemplates(host, m_nodeName);
        } catch (const CHostException& error) {
            // As the class library reports an error that leaves a handler.
            ShowMessageBox(GetSafeHwnd(), error.Description(), MB_OK | MB_ICONEXCLAMATION);
        }
    }
    CDialog::OnOK();
}

bool RunTemplateImport(HWND parent, IDispatch* application, const std::wstring& chartName,
                       const std::wstring& paramsName)
{
    CAddParameterTemplatesDialog dialog(parent, application, chartName);
    dialog.SetParamsName(paramsName);
    return dialog.DoModal() == IDOK;
}
