#include "testing/simhost/SimGeometry.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "testing/geohost/VantreLibrary.h"
#include "testing/simhost/SimHost.h"

namespace {

const wchar_t kPlotvaneGroup[] = L"Velmora.LEIFlet.Plotvane.1::Plotvane";
constexpr int32_t kGuidLowParam = 113;
constexpr int32_t kGuidHighParam = 114;

// The GUID's halves go into the parameters bit for bit.
void SetGuidParams(CStandInGeoObject& object, const GUID& guid)
{
    double halves[2];
    memcpy(halves, &guid, sizeof halves);
    object.SetParam(kGuidLowParam, halves[0]);
    object.SetParam(kGuidHighParam, halves[1]);
}

void ForEachNode(CSimHost& host, const std::function<void(CSimNode&)>& visit)
{
    std::function<void(CSimNode&)> walk = [&](CSimNode& node) {
        visit(node);
        for (CSimNode* child : node.children)
            walk(*child);
    };
    for (CSimFrameBuffer* buffer : host.FrameBuffers())
        for (CSimScene* scene : buffer->scenes)
            for (CSimNode* node : scene->nodes)
                walk(*node);
}

} // namespace

CSimGeometry::CSimGeometry(CSimHost& host) : m_host(host) {}

CSimGeometry::~CSimGeometry() = default;

std::wstring CSimGeometry::BarGuidOf(const CSimNode& node) const
{
    if (node.type != SimNodeGeoPlugin)
        return std::wstring();
    const CSimValue value = m_host.PropertyValue(node, kPlotvaneGroup, L"VantreGUID");
    const VARIANT& v = value.Get();
    if (v.vt != VT_BSTR || !v.bstrVal || SysStringLen(v.bstrVal) == 0 || wcscmp(v.bstrVal, L"???") == 0)
        return std::wstring();
    return std::wstring(v.bstrVal, SysStringLen(v.bstrVal));
}

int CSimGeometry::Rebuild(std::wstring& error, int limit)
{
    int builds = 0;
    bool failed = false;
    ForEachNode(m_host, [&](CSimNode& node) {
        const std::wstring guidText = BarGuidOf(node);
        if (guidText.empty() || failed)
            return;
        if (!m_vantre) {
            m_vantre = std::make_unique<CVantreLibrary>(L"Vantre.dll");
            if (!m_vantre->IsLoaded()) {
                m_vantre.reset();
                error = L"Vantre.dll or one of its exports is missing";
                failed = true;
                return;
            }
        }
        std::unique_ptr<Bar>& bar = m_bars[&node];
        bool build = false;
        if (!bar) {
            bar = std::make_unique<Bar>();
            m_vantre->InitializeParamMap(&bar->object);
            for (const auto& param : node.geometryParams)
                bar->object.SetParam(param.first, param.second);
            build = true;
        }
        if (bar->guid != guidText) {
            GUID guid;
            if (SUCCEEDED(CLSIDFromString(guidText.c_str(), &guid)))
                SetGuidParams(bar->object, guid);
            bar->guid = guidText;
            build = true;
        }
        if (build || bar->object.RedrawRequested())
            builds += m_vantre->RebuildWhileRequested(&bar->object, bar->object.GetMeshBuffers(), limit);
    });
    return failed ? -1 : builds;
}

const CStandInGeoObject* CSimGeometry::ObjectOf(const CSimNode& node) const
{
    const auto found = m_bars.find(&node);
    return found == m_bars.end() ? nullptr : &found->second->object;
}

bool MeshHeights(const CStandInGeoObject& object, float& bottom, float& top)
{
    const int32_t count = object.VertexCount();
    if (count <= 0)
        return false;
    bottom = top = object.VertexField(0, 6);
    for (int32_t i = 1; i < count; ++i) {
        bottom = std::min(bottom, object.VertexField(i, 6));
        top = std::max(top, object.VertexField(i, 6));
    }
    return true;
}
