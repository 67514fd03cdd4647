#pragma once
// One picture of a scene's charts as they stand, for people: each line chart
// from the points the line-chart library (Trellan.dll, when the process has
// loaded it) was given, with its label texts; each bar from its geometry
// object's mesh; each pie from its slices' keyframes at the scene's last
// frame. GDI+ must be started.

#include <string>

class CSimHost;
class CSimNode;
class CSimScene;

bool WriteChartPicture(CSimHost& host, CSimScene& scene, const std::wstring& path, std::wstring& error);

// The value of a keyframe channel of a node's transforms at a frame: linear
// between keyframes, held before the first and after the last. False when
// no transform of the node has keyframes on the channel.
bool ChannelValueAt(const CSimNode& node, long channel, long frame, double& value);
