#include "motion/plugin/CompanionSwitch.h"

#include <io.h>

#include "motion/plugin/CompanionMovieWriter.h"
#include "motion/plugin/CompanionPath.h"
#include "motion/plugin/host/HostElement.h"

namespace {

bool FileExists(const std::wstring& path)
{
    return _waccess(path.c_str(), 0) == 0;
}

} // namespace

HRESULT SwitchCompanionOn(drovel::CHostElement& element, const std::wstring& script, const std::wstring& variable,
                          const std::wstring& scriptId)
{
    std::wstring source = element.GetFilename();
    std::wstring companionSource;
    if (SourcePathOfCompanion(source, companionSource) && FileExists(companionSource))
        source = companionSource;
    wchar_t companion[MAX_PATH];
    const HRESULT hr =
        WriteCompanionMovie(source.c_str(), companion, script.c_str(), variable.c_str(), scriptId.c_str());
    if (SUCCEEDED(hr))
        element.SetFilename(companion);
    return hr;
}

HRESULT SwitchCompanionOff(drovel::CHostElement& element)
{
    std::wstring source;
    if (!SourcePathOfCompanion(element.GetFilename(), source))
        return S_FALSE;
    if (!FileExists(source))
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    element.SetFilename(source);
    return S_OK;
}
