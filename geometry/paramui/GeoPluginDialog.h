#pragma once
// A parameter panel that builds itself from a parameter map: one row per
// parameter in a CParamListBox, the values read from the host's parameter
// link on every bind and every change written back through it. A child
// window inside the host's panel; the object deletes itself once its window
// is gone.

#include <array>
#include <map>

#include "geometry/GeoHostInterface.h"
#include "geometry/ParamMap.h"
#include "geometry/paramui/NoEraseParentWnd.h"
#include "geometry/paramui/ParamListBox.h"
#include "platform/ui/Dialog.h"

class CXmlNode;

class CGeoPluginDialog : public CDialog {
public:
    // Reads every value of the map's parameters from the host into the
    // panel's records, then tells OnLinkBound.
    void BindLink(IGeoParamLink* link);
    IGeoParamLink* Link() const { return m_link; }

protected:
    // Binds `link` at once (OnLinkBound of this class then, as the derived
    // part does not exist yet); the window comes later, from Create().
    CGeoPluginDialog(UINT templateId, HWND parent, const CParamMap& map, IGeoParamLink* link);

    // A button parameter was pressed.
    virtual void OnParamButton(int id);
    // The end of every bind.
    virtual void OnLinkBound(IGeoParamLink* link);

    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PostNcDestroy() override;

private:
    // Nesting depths of the map's tree: root 0, GeoPlugin 1, the panel's
    // group 2, groups inside it 3 and deeper.
    static constexpr int kMainRowDepth = 2;
    static constexpr int kMaxDepth = 16;

    void HideNotPluginNotice(HWND parent);
    void BuildRows(CXmlNode* node, int depth);
    void AddParamRow(CXmlNode* param, int depth);
    void PushValue(int id);

    const CParamMap& m_map;
    IGeoParamLink* m_link = nullptr;
    // The rows edit these records' values in place; the map's records are
    // never touched.
    std::map<int32_t, ParamValue> m_values;
    std::array<CAEGroupTrack*, kMaxDepth> m_parents{};
    CNoEraseParentWnd m_hostPanel;
    CParamListBox m_list;
};
