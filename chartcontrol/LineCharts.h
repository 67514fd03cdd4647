#pragma once
// The line charts of a scene: each asks its data provider for a series and
// hands the reply to the line-chart library, then fills its labels, quote
// fields and status.

#include <string>

#include "chartcontrol/UpdateParams.h"

class CHostNode;
class CHostScene;

// The node named by `chart`, or every top-level node of the scene.
void UpdateTrellanCharts(CHostScene& scene, const UpdateParams& params);
// A line-chart node (type 32 with a TrellanGUID) is updated; others are left.
void UpdateTrellanNode(CHostScene& scene, CHostNode& node, const UpdateParams& params);
// The request fields come from the parameters when there are any, else from
// the chart's templates; when one is missing nothing happens.
void RequestHistoricalData(CHostScene& scene, const std::wstring& nodeName, const std::wstring& guid,
                           const UpdateParams& params);
