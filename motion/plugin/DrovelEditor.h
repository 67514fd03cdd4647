#pragma once
// CDrovelEditor: the dialog in which a user edits one movie object's
// motion-control settings (on or off, the script, the frame variable and
// the script id). OK writes them back; ticking or unticking "Enable" also
// switches the movie element to its companion movie or back. No host error
// leaves the dialog: each is shown in a message box.

#include <string>

#include "common/editor/ScintillaCtrl.h"
#include "motion/plugin/host/HostApplication.h"
#include "motion/plugin/host/HostProperties.h"
#include "platform/ui/Dialog.h"

class CDrovelEditor : public CDialog {
public:
    // Both objects stay the caller's; the dialog takes references of its own.
    CDrovelEditor(IDispatch* application, IDispatch* properties, HWND owner);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ReadProperties();
    // The setting "Enabled" takes: the new one, or the one at opening when the switch failed.
    bool SwitchCompanion();
    void WriteProperties(bool enabled);

    drovel::CHostProperties m_properties;
    drovel::CHostApplication m_application;
    CScintillaCtrl m_editor;  // no window when the editing component is missing
    std::wstring m_script;
    std::wstring m_variable;
    std::wstring m_scriptId;
    bool m_enabled = false;
    bool m_enabledAtOpen = false;
    bool m_propertiesRead = false;  // else OK must not write back what it never had
};
