#include "chartcontrol/QuoteFields.h"

#include "chartcontrol/ChartScene.h"
#include "chartcontrol/LabelText.h"
#include "common/storedvalues/CNumbers.h"
#include "common/xml/XmlNode.h"
#include "hostclient/HostNode.h"

namespace {

enum class FieldForm { Text, Decimals, Whole };

struct QuoteField {
    const wchar_t* name;
    FieldForm form;
};

const QuoteField kQuoteFields[] = {
    {L"symbol", FieldForm::Text},      {L"name", FieldForm::Text},   {L"last", FieldForm::Decimals},
    {L"date", FieldForm::Text},        {L"time", FieldForm::Text},   {L"change", FieldForm::Decimals},
    {L"open", FieldForm::Decimals},    {L"high", FieldForm::Decimals}, {L"low", FieldForm::Decimals},
    {L"volume", FieldForm::Whole},     {L"percentchange", FieldForm::Text},
};

bool FieldText(const QuoteField& field, const std::wstring& value, std::wstring& text)
{
    if (field.form == FieldForm::Text) {
        text = value;
        return true;
    }
    double number = 0;
    return ParseCDouble(value, number) && FormatNumber(number, text, field.form == FieldForm::Decimals);
}

void SetVisibility(CHostScene& scene, CXmlNode& graph, const wchar_t* child, bool visible)
{
    for (int i = 0;; ++i) {
        CXmlNodePtr entry = CXmlNodePtr::Adopt(graph.FindChildAtLastSegment(child, i));
        if (!entry)
            return;
        if (std::unique_ptr<CHostNode> node = FindNodeSafe(scene, entry->GetText()))
            node->SetVisible(visible);
    }
}

} // namespace

void SetQuoteTemplates(CHostScene& scene, const std::wstring& chartName, CXmlNode& response)
{
    CXmlNodePtr current = CXmlNodePtr::Adopt(response.FindChildAtLastSegment(L"current", 0));
    if (!current)
        return;
    for (const QuoteField& field : kQuoteFields) {
        std::wstring value, text;
        if (current->GetAttributeString(field.name, value) && FieldText(field, value, text))
            SetTemplateText(scene, chartName, field.name, text);
    }
}

void SetExtraTemplates(CHostScene& scene, const std::wstring& chartName, CXmlNode& response)
{
    CXmlNodePtr extra = CXmlNodePtr::Adopt(response.FindChildAtLastSegment(L"extra", 0));
    if (!extra)
        return;
    for (int i = 0; i < extra->GetAttributeCount(); ++i)
        SetTemplateText(scene, chartName, extra->GetAttributeName(i), extra->GetAttributeValue(i));
}

void SetSceneGraphVisibility(CHostScene& scene, const std::wstring&, CXmlNode& response)
{
    CXmlNodePtr graph = CXmlNodePtr::Adopt(response.FindChildAtLastSegment(L"scenegraph", 0));
    if (!graph)
        return;
    SetVisibility(scene, *graph, L"show", true);
    SetVisibility(scene, *graph, L"hide", false);
}
