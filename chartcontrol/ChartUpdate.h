#pragma once
// One chart refresh: the scene is picked from the parameters (frame buffer
// and scene), else the frame buffer's focused scene, else the active
// canvas's scene; then its line charts, bar charts and the pie are updated.
// Host errors propagate (CHostException).

// `text`: the "key=value&..." parameters, or null. A suspended control
// updates only the active canvas's scene. Nothing happens before the host
// has handed the module its application.
void UpdateCharts(const wchar_t* text, bool suspended);
