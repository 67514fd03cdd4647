#include "geometry/paramui/GeoPluginDialog.h"

#include <cwchar>
#include <memory>
#include <string>

#include "common/xml/XmlNode.h"
#include "common/storedvalues/CNumbers.h"
#include "geometry/HostValues.h"
#include "geometry/ShapeWriteFlag.h"
#include "geometry/paramui/CheckBoxTrack.h"
#include "geometry/paramui/ParamUiResources.h"
#include "geometry/paramui/PopupTrack.h"
#include "geometry/paramui/PushButtonTrack.h"
#include "geometry/paramui/TrackMessages.h"

namespace {

constexpr int kPanelWidth = 420;
const wchar_t kNotPluginNotice[] = L"The selected Node Is Not a plugin Object.";

std::wstring Attribute(CXmlNode* node, const wchar_t* name)
{
    std::wstring value;
    node->GetAttributeString(name, value);
    return value;
}

double DoubleAttribute(CXmlNode* node, const wchar_t* name, double fallback)
{
    double value = fallback;
    return ParseCDouble(Attribute(node, name), value) ? value : fallback;
}

BOOL CALLBACK HideFirstNotice(HWND window, LPARAM found)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    if (_wcsicmp(text, kNotPluginNotice) != 0)
        return TRUE;
    ShowWindow(window, SW_HIDE);
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

}  // namespace

CGeoPluginDialog::CGeoPluginDialog(UINT templateId, HWND parent, const CParamMap& map, IGeoParamLink* link)
    : CDialog(templateId, parent), m_map(map), m_values(map.ValuesById())
{
    BindLink(link);
}

void CGeoPluginDialog::BindLink(IGeoParamLink* link)
{
    if (link) {
        for (auto& [id, record] : m_values) {
            double value = 0.0;
            link->GetValue(id, &value);
            if (record.kind == kParamDouble)
                record.doubleValue = value;
            else
                record.intValue = SaturatedInt(value);
        }
    }
    m_link = link;
    OnLinkBound(link);
    m_list.ValuesReplaced();
}

void CGeoPluginDialog::OnParamButton(int) {}

void CGeoPluginDialog::OnLinkBound(IGeoParamLink*) {}

BOOL CGeoPluginDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (HWND parent = GetParent(GetSafeHwnd())) {
        bool found = false;
        EnumChildWindows(parent, &HideFirstNotice, reinterpret_cast<LPARAM>(&found));
        m_hostPanel.SubclassWindow(parent);
    }
    const RECT client = GetClientRect();
    SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, kPanelWidth, client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    if (!m_list.Create({0, 0, kPanelWidth, client.bottom}, GetSafeHwnd(), IDC_PARAM_LIST))
        return TRUE;
    m_parents.fill(nullptr);
    if (CXmlNode* root = m_map.Tree())
        BuildRows(root, 0);
    return TRUE;
}

void CGeoPluginDialog::BuildRows(CXmlNode* node, int depth)
{
    const std::wstring element = node->GetName();
    if (element == L"ParamGroup" && depth < kMaxDepth - 1) {
        const std::wstring name = Attribute(node, L"name");
        CAEGroupTrack* group = nullptr;
        if (depth == kMainRowDepth) {
            group = m_list.AddMainRow(0, name);
        } else if (CAEGroupTrack* parent = m_parents[depth]) {
            group = m_list.Adopt(std::make_unique<CAEGroupTrack>(m_list, name));
            parent->AddChild(group);
        }
        // A group without a place leaves its rows without one too.
        m_parents[depth + 1] = group;
    } else if (_wcsicmp(element.c_str(), L"Param") == 0 && depth < kMaxDepth) {
        AddParamRow(node, depth);
    }
    for (int position = 0;; ++position) {
        CXmlNodePtr child = CXmlNodePtr::Adopt(node->FindChild(L"", position));
        if (!child)
            break;
        BuildRows(child.Get(), depth + 1);
    }
}

void CGeoPluginDialog::AddParamRow(CXmlNode* param, int depth)
{
    CAEGroupTrack* parent = m_parents[depth];
    int id = 0;
    if (!parent || Attribute(param, L"type").empty() || !ParseCInt(Attribute(param, L"id"), id))
        return;
    const auto record = m_values.find(id);
    if (record == m_values.end())
        return;
    const std::wstring name = Attribute(param, L"name");
    int* const intValue = &record->second.intValue;
    std::unique_ptr<CAETrack> row;
    switch (record->second.kind) {
    case kParamInteger:
        row = std::make_unique<CAESliderTrack>(m_list, name, intValue,
                                               SaturatedInt(DoubleAttribute(param, L"minValue", 0)),
                                               SaturatedInt(DoubleAttribute(param, L"maxValue", 100)), id,
                                               kTrackNoAnimation);
        break;
    case kParamDouble: {
        int decimals = 2;
        ParseCInt(Attribute(param, L"decimalPlaces"), decimals);
        row = std::make_unique<CAESliderTrack>(m_list, name, &record->second.doubleValue,
                                               DoubleAttribute(param, L"minValue", 0),
                                               DoubleAttribute(param, L"maxValue", 1), decimals, id,
                                               kTrackNoAnimation);
        break;
    }
    case kParamBoolean:
    case kParamJump:
        row = std::make_unique<CAECheckBoxTrack>(m_list, name, intValue, id, kTrackNoAnimation);
        break;
    case kParamMenu:
        row = std::make_unique<CAEPopupTrack>(m_list, name, intValue, Attribute(param, L"options"), id,
                                              kTrackNoAnimation);
        break;
    case kParamButton:
        row = std::make_unique<CAEPushButtonTrack>(m_list, L"", name, id, kTrackNoAnimation);
        break;
    default:
        return;
    }
    parent->AddChild(m_list.Adopt(std::move(row)));
}

void CGeoPluginDialog::PushValue(int id)
{
    const auto found = m_values.find(id);
    if (found == m_values.end())
        return;
    const ParamValue& record = found->second;
    double value = record.intValue;
    int32_t changeKind = kGeoChangeStructure;
    switch (record.kind) {
    case kParamDouble:
        value = record.doubleValue;
        changeKind = kGeoChangeCoordinate;
        break;
    case kParamInteger:
        changeKind = kGeoChangeCoordinate;
        break;
    case kParamBoolean:
    case kParamMenu:
        break;
    case kParamJump:
        changeKind = kGeoChangeJump;
        break;
    case kParamButton:
        OnParamButton(id);
        return;
    default:
        return;
    }
    if (!m_link)
        return;
    CShapeWriteScope writing;
    m_link->SetValue(id, value, changeKind);
}

bool CGeoPluginDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case UM_VALUECHANGED:
        if (const auto* row = reinterpret_cast<const CAETrack*>(wParam))
            PushValue(row->ParamId());
        result = 0;
        return true;
    case UM_LOADCLICKED:
    case UM_SAVECLICKED:
    case UM_SELECTIONCLEARED:
        result = 0;
        return true;
    case WM_DESTROY:
        m_hostPanel.UnsubclassWindow();
        return CDialog::OnMessage(msg, wParam, lParam, result);
    default:
        return CDialog::OnMessage(msg, wParam, lParam, result);
    }
}

void CGeoPluginDialog::PostNcDestroy()
{
    DeleteWhenHandlersReturn();
}
