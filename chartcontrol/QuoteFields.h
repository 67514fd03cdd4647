#pragma once
// The quote of a line chart from a provider's reply: the `current` fields,
// the `extra` fields and the scene nodes the reply shows or hides.

#include <string>

class CHostScene;
class CXmlNode;

// symbol, name, date, time and percentchange as they come; last, change,
// open, high and low as numbers with decimals; volume without. A field the
// reply lacks, or a number that cannot be read or formatted, leaves its
// template as it was.
void SetQuoteTemplates(CHostScene& scene, const std::wstring& chartName, CXmlNode& response);

// Every attribute of `extra`, in name order, into the chart's template of that name.
void SetExtraTemplates(CHostScene& scene, const std::wstring& chartName, CXmlNode& response);

// The nodes named by `scenegraph`'s `show` children become visible, then
// those of its `hide` children invisible; unknown names are skipped.
void SetSceneGraphVisibility(CHostScene& scene, const std::wstring& chartName, CXmlNode& response);
