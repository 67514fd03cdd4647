#pragma once
// The host's parameter link over one stand-in object: values go to and come
// from the object's parameters, and every call is logged in order.

#include <functional>
#include <string>
#include <vector>

#include "testing/geohost/StandInGeoObject.h"

class CStandInParamLink final : public IGeoParamLink {
public:
    // `window` is the host's window object the panel is made in (may be null).
    CStandInParamLink(CStandInGeoObject& object, GeoHostWindow* window);
    CStandInParamLink(const CStandInParamLink&) = delete;
    CStandInParamLink& operator=(const CStandInParamLink&) = delete;

    void SetValue(int32_t id, double value, int32_t changeKind) override;
    void GetValue(int32_t id, double* value) override;
    void EnableUpdates(BOOL enable) override;

    // "set <id> <value> <change kind>" and "updates <0|1>" in call order;
    // reads are left out.
    const std::vector<std::string>& Writes() const { return m_writes; }
    int Reads() const { return m_reads; }
    void ClearLog();

    // The host's answer to each write, run inside SetValue after the value
    // is stored.
    std::function<void(int32_t id)> onSet;

private:
    CStandInGeoObject& m_object;
    std::vector<std::string> m_writes;
    int m_reads = 0;
};
