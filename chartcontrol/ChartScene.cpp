#include "chartcontrol/ChartScene.h"

#include <cstdarg>

#include "chartcontrol/ControlLog.h"
#include "chartcontrol/QuillonIds.h"
#include "chartcontrol/Trellan.h"
#include "base/text/WideFormat.h"
#include "hostclient/HostElement.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostPropertyGroup.h"
#include "hostclient/HostScene.h"
#include "hostclient/HostText.h"

namespace {

// The quote fields a failed request blanks, in the order they are written.
// `symbol` is not among them: its template is also where a refresh without
// parameters reads the symbol to ask for, and a blank there would stop every
// later refresh of the chart after one passing provider failure.
const wchar_t* const kQuoteFields[] = {L"name", L"last", L"date", L"time", L"change", L"open",
                                       L"high", L"low", L"volume", L"percentchange"};

// The element that holds a template's text: the scene's template of that
// name, else the first element of the node of that name.
std::unique_ptr<CHostElement> FindTemplate(CHostScene& scene, const std::wstring& name)
{
    if (std::unique_ptr<CHostElement> element = scene.GetTemplate(name))
        return element;
    std::unique_ptr<CHostNode> node = FindNodeSafe(scene, name);
    return node ? node->Element(-1) : nullptr;
}

// Three decimal digits at `at`, at most 255.
bool ReadChannel(const std::wstring& text, size_t at, long& channel)
{
    channel = 0;
    for (size_t i = at; i < at + 3; ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return false;
        channel = channel * 10 + (text[i] - L'0');
    }
    return channel <= 255;
}

// "R:rrrG:gggB:bbb" at the front of the text, as a colour value.
bool ReadColourPrefix(const std::wstring& text, long& colour)
{
    if (text.size() < 15 || text.compare(0, 2, L"R:") != 0 || text.compare(5, 2, L"G:") != 0 ||
        text.compare(10, 2, L"B:") != 0)
        return false;
    long red = 0, green = 0, blue = 0;
    if (!ReadChannel(text, 2, red) || !ReadChannel(text, 7, green) || !ReadChannel(text, 12, blue))
        return false;
    colour = red + green * 256 + blue * 65536;
    return true;
}

bool HideNode(CHostScene& scene, const std::wstring& name)
{
    std::unique_ptr<CHostNode> node = FindNodeSafe(scene, name);
    if (!node)
        return false;
    node->SetVisible(false);
    return true;
}

std::wstring LabelName(const std::wstring& chartName, wchar_t axis, int number)
{
    return FormatWide(L"%s.%c%d", chartName.c_str(), axis, number);
}

} // namespace

std::wstring TrimWhiteSpace(const std::wstring& text)
{
    const wchar_t* const space = L" \t\r\n\v\f";
    const size_t first = text.find_first_not_of(space);
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

std::unique_ptr<CHostNode> FindNodeSafe(CHostScene& scene, const std::wstring& name)
{
    try {
        return scene.GetElement(name);
    } catch (const CHostException&) {
        return nullptr;
    }
}

bool ReadChartGuid(CHostNode& node, const wchar_t* property, std::wstring& guid)
{
    if (node.GetType() != kChartNodeType)
        return false;
    std::unique_ptr<CHostPropertyGroup> group = node.Properties(kPlotvanePropertyGroup);
    std::wstring text;
    if (!group || !group->GetValueString(property, text) || text.empty())
        return false;
    guid = text;
    return true;
}

bool ReadTemplateText(CHostScene& scene, std::wstring& text, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::wstring name = FormatWideV(format, args);
    va_end(args);

    std::unique_ptr<CHostElement> element = FindTemplate(scene, name);
    if (!element) {
        PostLogLine(L"Missing template %s", name.c_str());
        return false;
    }
    std::unique_ptr<CHostText> textObject = element->GetText();
    if (!textObject) {
        PostLogLine(L"Error retreiving text interface for template named %s", name.c_str());
        return false;
    }
    const std::wstring trimmed = TrimWhiteSpace(textObject->GetText());
    if (trimmed.empty()) {
        PostLogLine(L"Template %s is empty", name.c_str());
        return false;
    }
    text = trimmed;
    return true;
}

void SetTemplateText(CHostScene& scene, const std::wstring& nodeName, const std::wstring& field,
                     const std::wstring& text)
{
    std::unique_ptr<CHostElement> element = FindTemplate(scene, FormatWide(L"%s.%s", nodeName.c_str(), field.c_str()));
    std::unique_ptr<CHostText> textObject = element ? element->GetText() : nullptr;
    if (!textObject)
        return;
    long colour = 0;
    if (!ReadColourPrefix(text, colour)) {
        textObject->SetText(text);
        return;
    }
    if (std::unique_ptr<CHostFont> font = textObject->GetFont())
        font->SetColor(colour);
    textObject->SetText(text.substr(15));
}

void SetTemplateStatus(CHostScene& scene, const std::wstring& nodeName, const std::wstring& text)
{
    std::unique_ptr<CHostElement> element = scene.GetTemplate(FormatWide(L"%s.status", nodeName.c_str()));
    std::unique_ptr<CHostText> textObject = element ? element->GetText() : nullptr;
    if (textObject)
        textObject->SetText(text);
}

void ClearQuoteTemplates(CHostScene& scene, const std::wstring& nodeName)
{
    bool dates = true, values = true;
    for (int n = 1; n <= kMaxAxisLabels && dates && values; ++n) {
        dates = HideNode(scene, LabelName(nodeName, L'x', n));
        values = HideNode(scene, LabelName(nodeName, L'y', n));
    }
    for (const wchar_t* field : kQuoteFields)
        SetTemplateText(scene, nodeName, field, L" ");
}

void HideAxisLabelsFrom(CHostScene& scene, const std::wstring& chartName, wchar_t axis, int first)
{
    for (int n = first < 1 ? 1 : first; n <= kMaxAxisLabels; ++n)
        if (!HideNode(scene, LabelName(chartName, axis, n)))
            return;
}

void RedrawTrellan(const std::wstring& guid)
{
    SetTrellanRedraw(guid.c_str(), 1);
}
