#pragma once
// The bar charts of a scene: each bar (a Vantre object, type 32 with a
// VantreGUID) gets its percentage as a fraction through Vantre's value store.

#include <string>

#include "chartcontrol/UpdateParams.h"

class CHostScene;

// With parameters only the bar named by `barname`; without, every top-level bar.
void UpdateBarCharts(CHostScene& scene, const UpdateParams& params);
// Sends the bar's value when one was found; otherwise the bar keeps its own.
void UpdateBarNode(CHostScene& scene, const std::wstring& nodeName, const std::wstring& guid,
                   const UpdateParams& params);
// The value named by the node and `suffix` ("Percent"): the parameter
// "<node><suffix>" in lower case when there are parameters, else the
// template "<node><suffix>"; its leading number divided by 100. False when
// there is none or the number is out of range.
bool ReadPercentValue(const UpdateParams& params, CHostScene& scene, const std::wstring& nodeName,
                      const std::wstring& suffix, double& value);
