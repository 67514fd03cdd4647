#include "charteditor/StyleElements.h"

#include <cwchar>

#include "chartcontrol/ChartScene.h"

std::wstring CleanStyleName(const std::wstring& name)
{
    std::wstring kept;
    for (wchar_t c : name)
        if (c != L'\t' && c != L'\r' && c != L'\n')
            kept += c;
    return TrimWhiteSpace(kept);
}

bool SameStyleName(const std::wstring& a, const std::wstring& b)
{
    return _wcsicmp(TrimWhiteSpace(a).c_str(), TrimWhiteSpace(b).c_str()) == 0;
}

CXmlNodePtr FindElement(CXmlNode& parent, const wchar_t* name)
{
    for (int i = 0; i < parent.GetChildCount(); ++i)
        if (wcscmp(parent.GetChild(i)->GetName(), name) == 0)
            return CXmlNodePtr(parent.GetChild(i));
    return nullptr;
}

std::vector<CXmlNodePtr> ElementsNamed(CXmlNode& parent, const wchar_t* name)
{
    std::vector<CXmlNodePtr> found;
    for (int i = 0; i < parent.GetChildCount(); ++i)
        if (wcscmp(parent.GetChild(i)->GetName(), name) == 0)
            found.emplace_back(parent.GetChild(i));
    return found;
}

std::wstring AttributeText(const CXmlNode& node, const wchar_t* attribute)
{
    std::wstring value;
    return node.GetAttributeString(attribute, value) ? value : std::wstring();
}

std::vector<CatalogueEntry> ReadCatalogue(CXmlNode& root)
{
    std::vector<CatalogueEntry> entries;
    CXmlNodePtr catalogue = FindElement(root, L"Attributes");
    if (!catalogue)
        return entries;
    for (const CXmlNodePtr& attribute : ElementsNamed(*catalogue, L"Attribute")) {
        CatalogueEntry entry;
        if (attribute->GetAttributeString(L"name", entry.name) && attribute->GetAttributeString(L"type", entry.type))
            entries.push_back(entry);
    }
    return entries;
}

void WriteCatalogue(CXmlNode& root, const std::vector<CatalogueEntry>& entries)
{
    for (const CXmlNodePtr& old : ElementsNamed(root, L"Attributes"))
        root.RemoveChild(old.Get());
    if (entries.empty())
        return;
    CXmlNode* catalogue = new CXmlNode(&root, L"Attributes");
    for (const CatalogueEntry& entry : entries) {
        CXmlNode* attribute = new CXmlNode(catalogue, L"Attribute");
        attribute->SetAttribute(L"name", entry.name.c_str());
        attribute->SetAttribute(L"type", entry.type.c_str());
    }
}

std::vector<CXmlNodePtr> ReadStyles(CXmlNode& root)
{
    std::vector<CXmlNodePtr> styles;
    CXmlNodePtr list = FindElement(root, L"Styles");
    if (!list)
        return styles;
    std::wstring name;
    for (const CXmlNodePtr& style : ElementsNamed(*list, L"Style"))
        if (style->GetAttributeString(L"name", name))
            styles.push_back(style);
    return styles;
}

CXmlNodePtr AddStyle(CXmlNode& root, const std::wstring& name, const std::vector<CatalogueEntry>& entries)
{
    CXmlNodePtr list = FindElement(root, L"Styles");
    if (!list)
        list = CXmlNodePtr(new CXmlNode(&root, L"Styles"));
    CXmlNodePtr style(new CXmlNode(list.Get(), L"Style"));
    style->SetAttribute(L"name", name.c_str());
    for (const CatalogueEntry& entry : entries) {
        CXmlNode* attribute = new CXmlNode(style.Get(), L"Attribute");
        attribute->SetAttribute(L"name", entry.name.c_str());
        attribute->SetAttribute(L"type", entry.type.c_str());
        attribute->SetAttribute(L"value", L"");
    }
    return style;
}

std::vector<CXmlNodePtr> ReadStyleAttributes(CXmlNode& style)
{
    std::vector<CXmlNodePtr> attributes;
    std::wstring text;
    for (const CXmlNodePtr& attribute : ElementsNamed(style, L"Attribute"))
        if (attribute->GetAttributeString(L"name", text) && attribute->GetAttributeString(L"type", text) &&
            attribute->GetAttributeString(L"value", text))
            attributes.push_back(attribute);
    return attributes;
}
