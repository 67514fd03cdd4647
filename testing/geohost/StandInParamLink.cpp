#include "testing/geohost/StandInParamLink.h"

#include <cstdio>

CStandInParamLink::CStandInParamLink(CStandInGeoObject& object, GeoHostWindow* window) : m_object(object)
{
    parentWindow = window;
}

void CStandInParamLink::SetValue(int32_t id, double value, int32_t changeKind)
{
    m_object.SetParam(id, value);
    char text[96];
    snprintf(text, sizeof text, "set %d %g %d", static_cast<int>(id), value, static_cast<int>(changeKind));
    m_writes.push_back(text);
    if (onSet)
        onSet(id);
}

void CStandInParamLink::GetValue(int32_t id, double* value)
{
    ++m_reads;
    if (value)
        *value = m_object.GetParam(id);
}

void CStandInParamLink::EnableUpdates(BOOL enable)
{
    m_writes.push_back("updates " + std::to_string(enable ? 1 : 0));
}

void CStandInParamLink::ClearLog()
{
    m_writes.clear();
    m_reads = 0;
}
