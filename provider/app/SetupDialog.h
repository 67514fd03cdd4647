#pragma once
// CSetupDialog: the program's settings (server port, startup script and
// where log lines go). OK writes them to Setup.ini; Cancel writes nothing.

#include <string>

#include "platform/ui/Dialog.h"

class CSetupDialog : public CDialog {
public:
    explicit CSetupDialog(HWND parent);

    int serverPort;
    std::wstring startupScript;
    bool logToFile;
    bool logToLogWindow;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Reads the controls; false (with a message) when the port is no port.
    bool TakeControls();
    void Browse();
};
