#pragma once
// The Shape Maker: a modeless window over a bar's outline with the drawing
// area, a zoom slider and Load and Save of Shape Maker files (*.sm). It edits
// the controller it is given, so every edit reaches whatever the controller
// writes to. Closing it only hides it.

#include "geometry/ShapeMakerControl.h"
#include "platform/ui/Dialog.h"

class CShapeMakerDlg : public CDialog {
public:
    explicit CShapeMakerDlg(CShapeController& shape);
    ~CShapeMakerDlg() override;

    // The window, hidden and without owner; false when it could not be made.
    bool CreateHidden();
    // Repaints for a chain replaced from outside, forgetting any drag.
    void OnOutlineReplaced();

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Layout(int width, int height);
    void KeepAspect(WPARAM edge, RECT& window) const;
    void LoadFile();
    void SaveFile();

    CShapeController& m_shape;
    CShapeMakerControl m_drawing;
    HICON m_icon = nullptr;
    double m_aspect = 1.0;          // client width / height at start
    SIZE m_margins{};               // client size less the drawing area's
    int m_sliderLeft = 0;
    int m_sliderFromBottom = 0;     // client height less the slider's top
};
