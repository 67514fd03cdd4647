#include "chartcontrol/AxisLabels.h"

#include "chartcontrol/ChartScene.h"
#include "chartcontrol/DateMap.h"
#include "chartcontrol/LabelText.h"
#include "chartcontrol/QuillonApp.h"
#include "chartcontrol/Trellan.h"
#include "common/storedvalues/CNumbers.h"
#include "base/text/WideFormat.h"
#include "common/xml/XmlNode.h"

namespace {

constexpr int kDateAxis = 0;
constexpr int kValueAxis = 1;

bool ReadNumber(const CXmlNode& node, const wchar_t* name, double& value)
{
    std::wstring text;
    return node.GetAttributeString(name, text) && ParseCDouble(text, value);
}

void RegisterAxisLabel(const std::wstring& guid, const std::wstring& chartName, int axis, int index)
{
    const wchar_t letter = axis == kDateAxis ? L'x' : L'y';
    RegisterLabel(guid.c_str(), axis, FormatWide(L"%s.%c%d", chartName.c_str(), letter, index + 1).c_str(), index);
}

} // namespace

int LabelCountOf(const std::wstring& text)
{
    double count = 0.0;
    if (!ParseLeadingCDecimal(text, count))
        return text.compare(0, 1, L"-") == 0 ? 0 : kMaxAxisLabels;
    return count <= 0 ? 0 : count >= kMaxAxisLabels ? kMaxAxisLabels : static_cast<int>(count);
}

void BuildAxisLabels(CHostScene& scene, CXmlNode& response, int dateLabels, int valueLabels,
                     const std::wstring& dateFormat, const std::wstring& chartName, const std::wstring& guid)
{
    CXmlNodePtr data = CXmlNodePtr::Adopt(response.FindChildAtLastSegment(L"data", 0));
    if (!data)
        return;
    std::wstring text;
    int count = 0;
    double maxDays = 0, minDays = 0, maxValue = 0, minValue = 0;
    if (!data->GetAttributeString(L"count", text) || !ParseCInt(text, count) || !ReadNumber(*data, L"maxtotaldays", maxDays) ||
        !ReadNumber(*data, L"mintotaldays", minDays) || !ReadNumber(*data, L"maxvalue", maxValue) ||
        !ReadNumber(*data, L"minvalue", minValue))
        return;

    if (data->GetAttributeString(L"maxDates", text))
        dateLabels = LabelCountOf(text);
    if (data->GetAttributeString(L"maxValues", text))
        valueLabels = LabelCountOf(text);
    std::wstring format = dateFormat;
    if (data->GetAttributeString(L"dateFormat", text))
        format = text;
    double cutoff = 0;
    const bool decimals = !(ReadNumber(*data, L"decimalCutoff", cutoff) && cutoff < maxValue);
    dateLabels = dateLabels < 0 ? 0 : dateLabels > kMaxAxisLabels ? kMaxAxisLabels : dateLabels;
    valueLabels = valueLabels < 0 ? 0 : valueLabels > kMaxAxisLabels ? kMaxAxisLabels : valueLabels;

    format = SanitizeDateFormat(format);
    LabelCount(guid.c_str(), dateLabels, valueLabels);

    if (dateLabels > 1) {
        const double step = (maxDays - minDays) / (dateLabels - 1);
        for (int i = 0; i < dateLabels; ++i) {
            const std::wstring label = ApplyDateMap(FormatDateLabel(minDays + step * i, format), QuillonApp().Dates());
            SetTemplateText(scene, chartName, FormatWide(L"x%d", i + 1), label);
            RegisterAxisLabel(guid, chartName, kDateAxis, i);
        }
    }
    HideAxisLabelsFrom(scene, chartName, L'x', dateLabels + 1);

    if (valueLabels > 1) {
        const double step = (maxValue - minValue) / (valueLabels - 1);
        for (int i = 0; i < valueLabels; ++i) {
            std::wstring label;
            if (FormatNumber(minValue + step * i, label, decimals))
                SetTemplateText(scene, chartName, FormatWide(L"y%d", i + 1), label);
            RegisterAxisLabel(guid, chartName, kValueAxis, i);
        }
    }
    HideAxisLabelsFrom(scene, chartName, L'y', valueLabels + 1);
}

void RegisterTemplateLabels(CHostScene& scene, const std::wstring& chartName, const std::wstring& guid)
{
    std::wstring dates, values;
    if (!ReadTemplateText(scene, dates, L"%s.maxdates", chartName.c_str()) ||
        !ReadTemplateText(scene, values, L"%s.maxvalues", chartName.c_str()))
        return;
    const int dateLabels = LabelCountOf(dates), valueLabels = LabelCountOf(values);
    LabelCount(guid.c_str(), dateLabels, valueLabels);
    for (int i = 0; i < dateLabels; ++i)
        RegisterAxisLabel(guid, chartName, kDateAxis, i);
    for (int i = 0; i < valueLabels; ++i)
        RegisterAxisLabel(guid, chartName, kValueAxis, i);
}
