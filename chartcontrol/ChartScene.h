#pragma once
// A chart's companions in the scene: its nodes found by name, its GUID, and
// the text templates named "<chart>.<field>" that carry its per-chart values.
// Host errors propagate (CHostException) unless a function says otherwise.

#include <memory>
#include <string>

class CHostNode;
class CHostScene;

// The host's node type of geometry plug-in objects: line charts and bars.
constexpr long kChartNodeType = 32;

// Labels of one axis are numbered 1 to this.
constexpr int kMaxAxisLabels = 12;

// The text without white space at either end.
std::wstring TrimWhiteSpace(const std::wstring& text);

// The scene's node of that name, or null; every host error is swallowed.
std::unique_ptr<CHostNode> FindNodeSafe(CHostScene& scene, const std::wstring& name);

// A chart node: host type 32 with a non-empty string `property`
// ("TrellanGUID" or "VantreGUID") in the control's group. The GUID text in `guid`.
bool ReadChartGuid(CHostNode& node, const wchar_t* property, std::wstring& guid);

// The trimmed, non-empty text of the template named by the format (the
// scene's template, else the first element of the node of that name); false
// with a log line when it is missing, has no text or is empty.
bool ReadTemplateText(CHostScene& scene, std::wstring& text, const wchar_t* format, ...);

// Writes the text into the template "<node>.<field>" (template or node, as
// above); nothing when there is none. A text of 15 characters or more that
// starts "R:rrrG:gggB:bbb" with decimal channels up to 255 sets the font
// colour and writes the rest.
void SetTemplateText(CHostScene& scene, const std::wstring& nodeName, const std::wstring& field,
                     const std::wstring& text);

// Writes the text as it stands into the scene template "<node>.status" only.
void SetTemplateStatus(CHostScene& scene, const std::wstring& nodeName, const std::wstring& text);

// Hides the chart's labels and blanks its quote fields after a failed
// request; the symbol template, which is also the request's input, keeps its text.
void ClearQuoteTemplates(CHostScene& scene, const std::wstring& nodeName);

// Hides the labels "<chart>.<axis><n>" from `first` on, up to the first one
// the scene lacks.
void HideAxisLabelsFrom(CHostScene& scene, const std::wstring& chartName, wchar_t axis, int first);

// The line-chart library rebuilds the chart.
void RedrawTrellan(const std::wstring& guid);
