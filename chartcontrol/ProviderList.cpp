#include "chartcontrol/ProviderList.h"

#include <windows.h>

#include <cstdio>

#include "chartcontrol/ControlLog.h"
#include "chartcontrol/ModulePath.h"
#include "chartcontrol/ProviderExchange.h"
#include "base/win/UniqueHandle.h"
#include "common/xml/XmlParse.h"

namespace {

// A hand-written provider list is a few kilobytes.
constexpr unsigned long long kMaxProviderFileBytes = 4 * 1024 * 1024;

bool ReadUtf16FileSkippingMark(const std::wstring& path, std::wstring& text)
{
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes) ||
        (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const unsigned long long size =
        (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    // Whole UTF-16 units after the two skipped bytes, or nothing to read.
    if (size < 2 || size % 2 != 0 || size > kMaxProviderFileBytes)
        return false;

    UniqueStdioFile file(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return false;
    std::wstring units(static_cast<size_t>(size / 2), L'\0');
    if (fread(&units[0], 1, static_cast<size_t>(size), file.Get()) != size)
        return false;
    text.assign(units, 1, std::wstring::npos);
    return true;
}

}  // namespace

bool LoadXmlFile(const std::wstring& path, CXmlNodePtr& root)
{
    root.Reset();
    std::wstring text;
    if (!ReadUtf16FileSkippingMark(path, text))
        return false;
    CXmlNodePtr parsed;
    if (FAILED(ParseXmlText(text, parsed)))
        return false;
    root = std::move(parsed);
    return true;
}

CProviderPtr FindProviderInFile(const std::wstring& providersPath, const std::wstring& name)
{
    const wchar_t* const file = providersPath.c_str();
    CXmlNodePtr root;
    if (!LoadXmlFile(providersPath, root)) {
        PostLogLine(L"Failure opening %s", file);
        return nullptr;
    }
    CXmlNodePtr providers = CXmlNodePtr::Adopt(root->FindChild(L"providers", 0));
    if (!providers) {
        PostLogLine(L"Cannot find providers node in %s", file);
        return nullptr;
    }
    CXmlNodePtr provider =
        CXmlNodePtr::Adopt(providers->FindChildWithAttribute(L"provider", L"name", name.c_str()));
    if (!provider) {
        PostLogLine(L"Cannot find provider %s in %s", name.c_str(), file);
        return nullptr;
    }

    std::wstring address;
    if (!provider->GetAttributeString(L"address", address)) {
        PostLogLine(L"Failure retreiving address for provider %s", name.c_str());
        return nullptr;
    }
    int port = 0;
    if (!provider->GetAttributeInt(L"port", port)) {
        PostLogLine(L"Failure retreiving port for provider %s", name.c_str());
        return nullptr;
    }
    int timeoutMs = kDefaultProviderTimeoutMs;
    provider->GetAttributeInt(L"timeoutMSEC", timeoutMs);
    std::wstring sub;
    if (!provider->GetAttributeString(L"sub", sub))
        sub = L"GetHistorical";

    return CProviderPtr::Adopt(new CProvider(port, timeoutMs, std::move(address), std::move(sub)));
}

CProviderPtr FindProvider(const std::wstring& name)
{
    std::wstring providersPath;
    if (!GetOcxSiblingPath(L"providers.xml", providersPath)) {
        PostLogLine(L"Failure getting ocx path and file");
        return nullptr;
    }
    return FindProviderInFile(providersPath, name);
}
