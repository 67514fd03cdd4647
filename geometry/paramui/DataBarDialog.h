#pragma once
// The parameter panel of a Vantre bar: the generic panel over the module's
// parameter map, plus the bar's outline, edited in the Shape Maker window
// that the "Shape" button opens. Every outline edit is written to the bound
// object's parameters 0-112.

#include "geometry/ShapeMakerDlg.h"
#include "geometry/ShapeParamController.h"
#include "geometry/paramui/GeoPluginDialog.h"

class CDataBarDialog : public CGeoPluginDialog {
public:
    // The one panel of the module, inside the host's window that the link
    // names and bound to `link`: made on the first call, and again after
    // the host destroyed it. Null when there is no window to make it in or
    // it could not be made.
    static HWND ShowForLink(IGeoParamLink* link);

private:
    CDataBarDialog(HWND parent, IGeoParamLink* link);

    void OnParamButton(int id) override;
    void OnLinkBound(IGeoParamLink* link) override;
    void PostNcDestroy() override;

    CShapeParamController m_shape;
    CShapeMakerDlg m_shapeMaker;
};
