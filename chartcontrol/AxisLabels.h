#pragma once
// A line chart's axis labels: the texts of its date and value labels from a
// provider's reply, their registration with the line-chart library, and the
// label count read from text.

#include <string>

class CHostScene;
class CXmlNode;

// The number of labels a text asks for: its leading number, truncated and
// held to 0 ... 12 (labels exist only that far); a text without one gives 0.
int LabelCountOf(const std::wstring& text);

// Writes the date and value labels from the reply's `data` (days and values
// spread evenly between its minima and maxima), registers them with the
// library and hides the unused ones. `data` may override both counts and
// the date format. Nothing happens without `data` or one of its ranges.
void BuildAxisLabels(CHostScene& scene, CXmlNode& response, int dateLabels, int valueLabels,
                     const std::wstring& dateFormat, const std::wstring& chartName, const std::wstring& guid);

// Registers the chart's labels as its templates "<chart>.maxdates" and
// "<chart>.maxvalues" count them; nothing when either cannot be read.
void RegisterTemplateLabels(CHostScene& scene, const std::wstring& chartName, const std::wstring& guid);
