#pragma once
// CAboutDialog: the maker's About box with the version and copyright of the
// module that holds this code (a plug-in's own, not its host program's).

#include "common/about/HyperLink.h"
#include "platform/ui/Dialog.h"

#include <string>

extern const wchar_t kMakerSiteUrl[];
extern const wchar_t kMakerMailAddress[];

class CAboutDialog : public CDialog {
public:
    // An empty title gives "About <ProductName>" from the version block,
    // or the template's own caption when the block names no product.
    explicit CAboutDialog(HWND parent, std::wstring title = {});

    const std::wstring& VersionLine() const { return m_version; }
    const std::wstring& CopyrightLine() const { return m_copyright; }

protected:
    BOOL OnInitDialog() override;

private:
    CHyperLink m_site;
    CHyperLink m_mail;
    std::wstring m_title;
    std::wstring m_version;
    std::wstring m_copyright;
};

// "Version: " and the FileVersion string with every ", " made ".".
std::wstring AboutVersionLine(const std::wstring& fileVersion);
