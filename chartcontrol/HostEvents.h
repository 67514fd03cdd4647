#pragma once
// What the control does for the host's events that concern the scene:
// pasted chart objects get identities of their own (event 11), and the value
// range of the bar chart's animation is recorded (event 1). Host errors
// propagate (CHostException).

#include <windows.h>

#include <string>
#include <vector>

class CHostApplication;
class CHostNode;

// Every chart object of the active scene gets a new GUID: line charts in
// TrellanGUID and channels 1052/1053, bars in VantreGUID and 1113/1114, on
// every transition of the scene.
void RenewChartGuids(CHostApplication& application);

// Writes the GUID's halves (bytes 0-7 and 8-15, bit for bit as doubles) at
// frame 0 with interpolation 2 into the two channels of the node's transform
// of each transition.
void RelinkGeoPluginNode(long channelA, long channelB, CHostNode& node, const GUID& guid,
                         const std::vector<std::wstring>& transitionNames);

// A new GUID whose halves a host may keep as doubles, and its registry text.
bool NewGuidString(GUID& guid, std::wstring& text);

// Records the smallest and largest scale keyframe of the bar chart group's
// children (Y scale for "Vertical", else X scale) in the document's BarChart
// element and saves the document.
void CaptureBarChartRanges(CHostApplication& application);
