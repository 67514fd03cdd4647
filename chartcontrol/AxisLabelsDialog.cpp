#include "chartcontrol/AxisLabelsDialog.h"

#include "chartcontrol/AxisLabels.h"
#include "chartcontrol/ChartControlIds.h"

CAddAxisLabelsDialog::CAddAxisLabelsDialog(HWND parent, std::wstring title, std::vector<std::wstring> templates,
                                           std::wstring proposed, int count)
    : CDialog(IDD_ADD_AXIS_LABELS, parent), m_title(std::move(title)), m_templates(std::move(templates)),
      m_template(std::move(proposed)), m_count(count)
{
}

BOOL CAddAxisLabelsDialog::OnInitDialog()
{
    SetWindowText(m_title);
    HWND list = GetItem(IDC_LABEL_TEMPLATES);
    LRESULT selected = 0;
    for (const std::wstring& name : m_templates) {
        const LRESULT index = ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (name == m_template)
            selected = index;
    }
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SetItemText(IDC_LABEL_COUNT, std::to_wstring(m_count));
    return TRUE;
}

void CAddAxisLabelsDialog::OnOK()
{
    HWND list = GetItem(IDC_LABEL_TEMPLATES);
    const LRESULT selected = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return;  // a template must be chosen
    const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0);
    std::wstring name(static_cast<size_t>(length < 0 ? 0 : length) + 1, L'\0');
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&name[0]));
    name.resize(wcslen(name.c_str()));
    m_template = name;
    m_count = LabelCountOf(GetItemText(IDC_LABEL_COUNT));
    CDialog::OnOK();
}
