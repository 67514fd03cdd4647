#pragma once
// What both application wrappers do alike, on the DISPID cells each keeps
// (the chart control's serve the whole process, the motion plug-in's are the
// wrapper's own): taking the application's own reference, the plug-in
// registration calls and the host registry. Cells are indexed by
// HostApplicationNames.

#include <string>
#include <vector>

#include "hostclient/HostWrapper.h"

class CHostApplicationCalls : public CHostObject {
public:
    // RegisterLEIFlet (the plug-in's interface version "0001" and its name)
    // and RegisterMenuItem.
    HOST_MEMBERS(ApplicationCalls)
    long RegisterObjectProperty(const std::wstring& group, const std::wstring& name, long type,
                                const std::wstring& defaultValue, const std::vector<std::wstring>& objectTypes,
                                const std::wstring& last);
    long RegisterObjectPropertyEditor(const std::wstring& group, const std::wstring& editor,
                                      const std::vector<std::wstring>& objectTypes);
    // The default whenever the host's answer is not a long.
    long GetRegistryInt(const std::wstring& section, const std::wstring& key, long defaultValue);
    void SetRegistryInt(const std::wstring& section, const std::wstring& key, long value);

protected:
    using Names = HostApplicationNames;
    explicit CHostApplicationCalls(const DISPID* cells) : m_cells(cells) {}

    // Takes a reference of its own: a wrapper attached to a pointer the caller
    // keeps leaves that pointer's reference count as it found it.
    void AttachApplication(IDispatch* dispatch);
    DISPID Id(int name) const { return m_cells[name]; }

private:
    const DISPID* m_cells;
};
