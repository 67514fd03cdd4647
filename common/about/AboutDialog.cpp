#include "common/about/AboutDialog.h"

#include "common/about/AboutIds.h"
#include "common/about/VersionInfo.h"
#include "platform/ui/Module.h"

const wchar_t kMakerSiteUrl[] = L"http://www.velmora.com/";
const wchar_t kMakerMailAddress[] = L"info@velmora.com";

std::wstring AboutVersionLine(const std::wstring& fileVersion)
{
    std::wstring version = fileVersion;
    for (size_t at = version.find(L", "); at != std::wstring::npos; at = version.find(L", ", at + 1))
        version.replace(at, 2, L".");
    return L"Version: " + version;
}

CAboutDialog::CAboutDialog(HWND parent, std::wstring title)
    : CDialog(IDD_ABOUT, parent), m_title(std::move(title))
{
}

BOOL CAboutDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_site.SubclassDlgItem(IDC_ABOUT_SITE, GetSafeHwnd());
    m_site.SetURL(kMakerSiteUrl);
    m_mail.SubclassDlgItem(IDC_ABOUT_MAIL, GetSafeHwnd());
    m_mail.SetURL(std::wstring(L"mailto:") + kMakerMailAddress);

    CVersionInfo version;
    version.Open(CurrentModulePath());
    m_copyright = version.QueryString(L"LegalCopyright");
    m_version = AboutVersionLine(version.QueryString(L"FileVersion"));

    SetItemText(IDC_ABOUT_VERSION, m_version);
    SetItemText(IDC_ABOUT_COPYRIGHT, m_copyright);
    if (m_title.empty()) {
        const std::wstring product = version.QueryString(L"ProductName");
        if (!product.empty()) m_title = L"About " + product;
    }
    if (!m_title.empty()) SetWindowText(m_title);
    return TRUE;
}
