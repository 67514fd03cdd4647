#pragma once
// CAddAxisLabelsDialog: which 3D text node the labels of one axis are copied
// from, and how many labels there are.

#include <string>
#include <vector>

#include "platform/ui/Dialog.h"

class CAddAxisLabelsDialog : public CDialog {
public:
    CAddAxisLabelsDialog(HWND parent, std::wstring title, std::vector<std::wstring> templates,
                         std::wstring proposed, int count);

    // After OK: the chosen template and the count, held to 0 ... 12.
    const std::wstring& Template() const { return m_template; }
    int Count() const { return m_count; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::wstring m_title;
    std::vector<std::wstring> m_templates;
    std::wstring m_template;
    int m_count;
};
