#include "geometry/paramui/DataBarDialog.h"

#include "geometry/paramui/ParamUiResources.h"

namespace {

// The module's panel; forgotten when its window goes.
CDataBarDialog* g_panel = nullptr;

}  // namespace

CDataBarDialog::CDataBarDialog(HWND parent, IGeoParamLink* link)
    : CGeoPluginDialog(IDD_PARAM_PANEL, parent, g_paramMap, link), m_shapeMaker(m_shape)
{
    m_shape.LoadFromLink(link);
}

HWND CDataBarDialog::ShowForLink(IGeoParamLink* link)
{
    if (!link || !link->parentWindow)
        return nullptr;
    HWND parent = link->parentWindow->handle;
    if (!IsWindow(parent))
        return nullptr;
    if (!g_panel) {
        auto* panel = new CDataBarDialog(parent, link);
        if (!panel->Create()) {
            delete panel;
            return nullptr;
        }
        panel->m_shapeMaker.CreateHidden();
        g_panel = panel;
    }
    g_panel->BindLink(link);
    return g_panel->GetSafeHwnd();
}

void CDataBarDialog::OnParamButton(int)
{
    if (HWND shapeMaker = m_shapeMaker.GetSafeHwnd())
        ShowWindow(shapeMaker, SW_SHOWNORMAL);
}

void CDataBarDialog::OnLinkBound(IGeoParamLink* link)
{
    if (!m_shapeMaker.GetSafeHwnd())
        return;
    m_shape.LoadFromLink(link);
    m_shapeMaker.OnOutlineReplaced();
}

void CDataBarDialog::PostNcDestroy()
{
    if (g_panel == this)
        g_panel = nullptr;
    CGeoPluginDialog::PostNcDestroy();
}
