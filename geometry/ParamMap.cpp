#include "geometry/ParamMap.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "common/xml/XmlParse.h"
#include "common/storedvalues/CNumbers.h"
#include "geometry/HostValues.h"
#include "geometry/ParamMapResource.h"
#include "geometry/XmlBytes.h"

CParamMap g_paramMap;

namespace {

ParamKind KindOfTypeWord(const std::wstring& type)
{
    if (type == L"integer") return kParamInteger;
    if (type == L"double") return kParamDouble;
    if (type == L"boolean") return kParamBoolean;
    if (type == L"menu") return kParamMenu;
    if (type == L"button") return kParamButton;
    if (type == L"jump") return kParamJump;
    return kParamCustom;
}

// The child at `position` in document order; an empty path segment matches
// every element name.
CXmlNodePtr ChildAt(CXmlNode* parent, int position)
{
    return CXmlNodePtr::Adopt(parent->FindChild(L"", position));
}

}  // namespace

void CParamMap::Clear()
{
    m_tree.Reset();
    m_defaults.clear();
    m_idsByName.clear();
    m_namesById.clear();
    m_valuesById.clear();
}

bool CParamMap::LoadFromModule(HMODULE module)
{
    Clear();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_PARAM_MAP), L"BINARY");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    return LoadFromBytes(static_cast<const char*>(bytes), SizeofResource(module, found));
}

bool CParamMap::LoadFromBytes(const char* bytes, size_t size)
{
    Clear();
    // The map text is ASCII; UTF-8 is XML's own default for 8-bit text.
    const std::wstring text = DecodeXmlBytes(bytes, size, CP_UTF8);
    CXmlNodePtr tree;
    if (text.empty() || FAILED(ParseXmlText(text, tree)))
        return false;
    m_tree = tree;

    CXmlNodePtr plugin = CXmlNodePtr::Adopt(m_tree->FindChild(L"GeoPlugin", 0));
    if (plugin && wcscmp(plugin->GetName(), L"GeoPlugin") == 0)
        Walk(0, plugin.Get());
    return true;
}

void CParamMap::Walk(int depth, CXmlNode* element)
{
    ParseParamElement(depth, element);
    for (int position = 0;; ++position) {
        CXmlNodePtr child = ChildAt(element, position);
        if (!child)
            break;
        Walk(depth + 1, child.Get());
    }
}

void CParamMap::ParseParamElement(int depth, CXmlNode* element)
{
    if (_wcsicmp(element->GetName(), L"Param") != 0)
        return;
    std::wstring idText, name, type;
    int id = 0;
    if (!element->GetAttributeString(L"id", idText) || !element->GetAttributeString(L"name", name) ||
        !element->GetAttributeString(L"type", type) || !ParseCInt(idText, id))
        return;

    std::wstring defaultText;
    double defaultValue = 0.0;
    const bool hasDefault =
        element->GetAttributeString(L"defaultValue", defaultText) && ParseCDouble(defaultText, defaultValue);
    if (hasDefault)
        m_defaults.emplace(id, defaultValue);

    // Names of the element and its groups, outermost first; the root's own
    // name (depth 0) is not part of it.
    std::wstring fullName = name;
    const CXmlNode* level = element->GetParent();
    for (int d = 1; d < depth && level; ++d, level = level->GetParent()) {
        std::wstring groupName;
        level->GetAttributeString(L"name", groupName);
        fullName = groupName + L"_" + fullName;
    }

    m_idsByName.emplace(fullName, id);
    m_namesById.emplace(id, fullName);

    ParamValue value;
    value.kind = KindOfTypeWord(type);
    if (value.kind == kParamDouble)
        value.doubleValue = defaultValue;
    else if (value.kind != kParamCustom)
        value.intValue = SaturatedInt(defaultValue);
    m_valuesById.emplace(id, value);
}

std::wstring CParamMap::FullName(int32_t id) const
{
    const auto found = m_namesById.find(id);
    return found == m_namesById.end() ? std::wstring() : found->second;
}
